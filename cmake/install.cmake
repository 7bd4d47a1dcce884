# cmake --install: the two programs, their manual pages, the desktop entry
# and the icon in the freedesktop.org places under the prefix, the copyright
# and changelog under share/doc/induction-motor. cpack -G DEB: the same files
# as a Debian package under /usr, its dependencies declared (the package
# preset builds it hardened; see CMakePresets.json).
include(GNUInstallDirs)

install(TARGETS induction-motor-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(imd_programs induction-motor-batch)
set(imd_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/induction-motor)
set(imd_man_dir ${PROJECT_BINARY_DIR}/man)

# Manual pages, compressed as Debian installs them. The batch command's page
# is made from its --help, so the two cannot drift apart; the window takes no
# arguments and has a written page.
find_program(IMD_HELP2MAN help2man)
find_program(IMD_GZIP gzip REQUIRED)
set(imd_man_pages)
if(IMD_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
  set(page ${imd_man_dir}/induction-motor-batch.1.gz)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${imd_man_dir}
    COMMAND ${IMD_HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
            "--name=equivalent circuits of three-phase induction motors from a CSV list of name plates"
            --output=${imd_man_dir}/induction-motor-batch.1 $<TARGET_FILE:induction-motor-batch>
    COMMAND ${IMD_GZIP} -9nf ${imd_man_dir}/induction-motor-batch.1
    DEPENDS induction-motor-batch
    COMMENT "Manual page of induction-motor-batch (help2man)"
    VERBATIM)
  list(APPEND imd_man_pages ${page})
elseif(CMAKE_CROSSCOMPILING)
  # help2man runs the program, which this machine cannot.
  message(STATUS "cross build: no manual page for induction-motor-batch")
else()
  message(STATUS "help2man not found: no manual page for induction-motor-batch")
endif()
if(IMD_BUILD_GUI)
  set(page ${imd_man_dir}/induction-motor.1.gz)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${imd_man_dir}
    COMMAND ${IMD_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/induction-motor.1 > ${page}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/induction-motor.1
    COMMENT "Manual page of induction-motor"
    VERBATIM)
  list(APPEND imd_man_pages ${page})
endif()
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND ${IMD_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(package-docs ALL DEPENDS ${imd_man_pages} ${changelog})
install(FILES ${imd_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog} DESTINATION ${imd_doc_dir})

if(IMD_BUILD_GUI)
  install(TARGETS induction-motor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(APPEND imd_programs induction-motor)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/induction-motor.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  # The icon theme wants files: painted at build time by the same code as the
  # window's own icon.
  add_executable(window-icon-png ${PROJECT_SOURCE_DIR}/packaging/window_icon_png.cpp)
  target_link_libraries(window-icon-png PRIVATE circuitpaint)
  set(icon_files)
  foreach(side 32 48 128)
    set(icon_dir ${PROJECT_BINARY_DIR}/icons/${side}x${side}/apps)
    set(icon ${icon_dir}/induction-motor.png)
    add_custom_command(
      OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              $<TARGET_FILE:window-icon-png> ${side} ${icon}
      DEPENDS window-icon-png
      COMMENT "Painting the ${side} x ${side} icon"
      VERBATIM)
    list(APPEND icon_files ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps)
  endforeach()
  add_custom_target(window-icons ALL DEPENDS ${icon_files})
endif()

# A stripping install (cpack, cmake --install --strip) also drops the
# compiler's .comment and .note sections, as Debian's own packages do.
foreach(program IN LISTS imd_programs)
  install(
    CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
    COMMAND_ERROR_IS_FATAL ANY)
endif()")
endforeach()

set(CPACK_PACKAGE_NAME induction-motor)
set(CPACK_PACKAGE_VENDOR "Induction motor data")
set(CPACK_PACKAGE_CONTACT "Induction motor data developers <induction-motor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Equivalent circuit of a three-phase induction motor from its name plate")
set(CPACK_PACKAGE_DESCRIPTION
    "From the name-plate data of a three-phase induction motor it derives the\n\
per-phase steady-state equivalent circuit (stator and rotor resistance,\n\
leakage and magnetizing inductance), also in per-unit: a desktop window, and\n\
the batch command induction-motor-batch for CSV lists of name plates.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Linked libraries come from dpkg-shlibdeps where it is installed
# (dpkg-dev); what is loaded at run time rather than linked is named here:
# the X platform plugin and the fonts the windows are laid out in.
set(imd_depends)
if(IMD_BUILD_GUI)
  list(APPEND imd_depends qt6-qpa-plugins fonts-liberation)
endif()
find_program(IMD_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(IMD_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  if(IMD_BUILD_GUI)
    list(APPEND imd_depends "libqt6widgets6 (>= 6.4)" "libqt6gui6 (>= 6.4)" "libqt6core6 (>= 6.4)")
  endif()
  list(APPEND imd_depends "libstdc++6 (>= 12)" libgcc-s1 "libc6 (>= 2.36)")
endif()
list(JOIN imd_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)

# cmake --install: the two programs, the desktop entry and the icon in the
# freedesktop.org places under the prefix. cpack -G DEB: the same files as a
# Debian package under /usr, its dependencies declared.
include(GNUInstallDirs)

install(TARGETS induction-motor-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(IMD_BUILD_GUI)
  install(TARGETS induction-motor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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

set(CPACK_PACKAGE_NAME induction-motor)
set(CPACK_PACKAGE_VENDOR "Induction motor data")
set(CPACK_PACKAGE_CONTACT "Induction motor data developers")
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

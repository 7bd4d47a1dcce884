#include "locale_scope.h"

#include <clocale>

LocaleScope::LocaleScope(const char* name) {
    if (const char* current = std::setlocale(LC_ALL, nullptr)) {
        previous_ = current;
    }
    installed_ = std::setlocale(LC_ALL, name) != nullptr;
}

LocaleScope::~LocaleScope() {
    if (!previous_.empty()) {
        std::setlocale(LC_ALL, previous_.c_str());
    }
}

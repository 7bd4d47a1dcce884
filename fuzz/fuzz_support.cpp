#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

locale_t Comma() {
    static const locale_t comma = [] {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
            if (const locale_t l = newlocale(LC_ALL_MASK, name, nullptr)) {
                return l;
            }
        }
        return locale_t{nullptr};
    }();
    return comma;
}

} // namespace

void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property violated: %s\n", property);
        std::abort();
    }
}

bool CommaLocale::Available() {
    return Comma() != nullptr;
}

CommaLocale::CommaLocale() {
    if (Available()) {
        previous_ = uselocale(Comma());
    }
}

CommaLocale::~CommaLocale() {
    if (previous_ != nullptr) {
        uselocale(previous_);
    }
}

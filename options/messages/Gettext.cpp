// gettextTranslator: a message's template looked up in the gettext domain
// "conkit", with the message's name as its context.
#include "options/Gettext.h"

#if __has_include(<libintl.h>) // else no gettext, and no gettextTranslator

#include <libintl.h>

#include <clocale>
#include <cstring>

#if __has_include(<dlfcn.h>)
#include <dlfcn.h>
#endif

#include <filesystem>
#include <system_error>

// Where the install rules put the translations: the folder itself, and the
// way there from the folders of the libraries and of the programs, for a
// prefix moved after it was configured. CMake defines them.
#if !defined(CONKIT_LOCALEDIR)
#define CONKIT_LOCALEDIR "/usr/local/share/locale"
#define CONKIT_LOCALEDIR_FROM_LIBDIR "../share/locale"
#define CONKIT_LOCALEDIR_FROM_BINDIR "../share/locale"
#endif

namespace conkit {

namespace {

constexpr const char* domain = "conkit";

/// True when `folder` holds a translation of the domain into some language.
bool holdsTranslations(const std::filesystem::path& folder) {
    std::error_code unknown;
    for (std::filesystem::directory_iterator language(folder, unknown), end;
         !unknown && language != end; language.increment(unknown)) {
        if (std::filesystem::exists(language->path() / "LC_MESSAGES" / "conkit.mo", unknown)) {
            return true;
        }
    }
    return false;
}

/// The folder of the translations installed with this library: found from
/// the file that holds this code (the shared library, or the program it is
/// linked into), else the folder the prefix was configured with.
std::string installedTranslations() {
#if __has_include(<dlfcn.h>)
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&gettextTranslator), &info) != 0 &&
        info.dli_fname != nullptr) {
        const std::filesystem::path here = std::filesystem::path(info.dli_fname).parent_path();
        for (const char* way : {CONKIT_LOCALEDIR_FROM_LIBDIR, CONKIT_LOCALEDIR_FROM_BINDIR}) {
            const std::filesystem::path folder = (here / way).lexically_normal();
            if (holdsTranslations(folder)) {
                return folder.string();
            }
        }
    }
#endif
    return CONKIT_LOCALEDIR;
}

/// Binds the domain to the folder conkit's translations were installed in,
/// unless the program bound it elsewhere: an unbound domain reads the C
/// library's default folder.
void bindOnce() {
    static const bool bound = [] {
        const char* current = bindtextdomain(domain, nullptr);
        const char* standard = bindtextdomain("conkit-unbound", nullptr);
        if (current == nullptr || standard == nullptr || std::strcmp(current, standard) == 0) {
            bindtextdomain(domain, installedTranslations().c_str());
        }
        return true;
    }();
    static_cast<void>(bound);
}

} // namespace

std::string gettextTranslator(MessageId id, const char* english) {
    bindOnce();
    // gettext keeps a message's context before its text, a byte 4 between.
    std::string key = messageName(id);
    key += '\004';
    key += english;
    const char* translated = dcgettext(domain, key.c_str(), LC_MESSAGES);
    return translated != key.c_str() ? std::string(translated) : std::string();
}

} // namespace conkit

#endif

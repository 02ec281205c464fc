#include "model/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace tarno {

std::optional<std::string> LeggiFile(const std::string& sPercorso) {
    std::error_code ec;
    if (sPercorso.empty() || !fs::is_regular_file(sPercorso, ec)) return std::nullopt;
    std::ifstream in(sPercorso, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(buf).str();
}

bool EsisteFile(const std::string& sPercorso) {
    std::error_code ec;
    return !sPercorso.empty() && fs::exists(sPercorso, ec);
}

bool PuoScrivere(const std::string& sPercorso) {
    if (sPercorso.empty()) return false;
    std::error_code ec;
    const fs::path p(sPercorso);
    if (fs::exists(p, ec)) {
        if (!fs::is_regular_file(p, ec)) return false;
        const int fd = ::open(sPercorso.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return false;
        ::close(fd);
        return true;
    }
    const fs::path cartella = p.has_parent_path() ? p.parent_path() : fs::path(".");
    return fs::is_directory(cartella, ec) && ::access(cartella.c_str(), W_OK) == 0;
}

bool ScriviFileSicuro(const std::string& sPercorso, const std::string& sContenuto) {
    if (!PuoScrivere(sPercorso)) return false;
    const fs::path p(sPercorso);
    std::string modello = sPercorso + ".tmpXXXXXX";
    const int fd = ::mkstemp(modello.data());
    if (fd < 0) return false;
    bool ok = true;
    size_t scritti = 0;
    while (ok && scritti < sContenuto.size()) {
        const ssize_t n = ::write(fd, sContenuto.data() + scritti, sContenuto.size() - scritti);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            ok = false;
        else
            scritti += static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    std::error_code ec;
    if (ok) {
        // Keep the owner, the group and the permissions of the file that is replaced (a
        // configuration readable by one group holds a password); a new file gets the usual
        // ones. Only root may give the file away; anyone may keep a group they belong to.
        struct stat prima {};
        if (::stat(sPercorso.c_str(), &prima) == 0) {
            if (::fchown(fd, prima.st_uid, prima.st_gid) != 0 &&
                ::fchown(fd, static_cast<uid_t>(-1), prima.st_gid) != 0) {
                // Not allowed: the file becomes ours, with our group.
            }
            ::fchmod(fd, prima.st_mode & 07777);
        } else {
            ::fchmod(fd, 0644);
        }
    }
    if (::close(fd) != 0) ok = false;
    if (ok) {
        fs::rename(modello, p, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(modello, ec);
    return ok;
}

}  // namespace tarno

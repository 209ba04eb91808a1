#include "platform/WholeFile.h"

#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

std::string Reason(const char* what, const std::string& path, int err)
{
    return std::string(what) + " '" + path + "': " + std::strerror(err);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Closes the descriptor on every way out; Close reports the close's own result.
class Fd
{
  public:
    explicit Fd(int fd) : FFd(fd) {}
    int Get() const { return FFd.Get(); }
    int Close()
    {
        const int fd = FFd.Release();
        return fd >= 0 ? ::close(fd) : 0;
    }

  private:
    UniqueFd FFd;
};

} // namespace

std::string WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::string temp = path + ".XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.Get() < 0)
        return Reason("create", temp, errno);

    bool done = false;
    auto cleanup = [&] {
        if (!done)
            ::unlink(temp.c_str());
    };
    // mkstemp makes the file private; give it the mode a plain create would, or keep the old one.
    struct stat st {
    };
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.Get(), mode);

    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.Get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            cleanup();
            return Reason("write", temp, err);
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd.Get()) != 0 || fd.Close() != 0) {
        const int err = errno;
        cleanup();
        return Reason("flush", temp, err);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        cleanup();
        return Reason("replace", path, err);
    }
    done = true;
    // Make the rename itself durable; a failure here no longer risks the file's content.
    Fd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        ::fsync(dir.Get());
    return {};
}

std::string ReadFileLimited(const std::string& path, std::size_t maxSize, std::vector<std::uint8_t>& out)
{
    out.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0)
        return Reason("open", path, errno);
    struct stat st {
    };
    if (::fstat(fd.Get(), &st) != 0)
        return Reason("stat", path, errno);
    if (!S_ISREG(st.st_mode))
        return "open '" + path + "': not a regular file";
    if (static_cast<unsigned long long>(st.st_size) > maxSize)
        return "read '" + path + "': file too long";

    // Read one byte past the limit so a file that grew meanwhile is still caught.
    std::vector<uint8_t> buf(maxSize + 1);
    size_t got = 0;
    while (got < buf.size()) {
        const ssize_t n = ::read(fd.Get(), buf.data() + got, buf.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Reason("read", path, errno);
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    if (got > maxSize)
        return "read '" + path + "': file too long";
    buf.resize(got);
    out = std::move(buf);
    return {};
}

} // namespace platform

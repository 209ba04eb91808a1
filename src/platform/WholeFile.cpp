#include "platform/WholeFile.h"

#include "platform/UniqueFd.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
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

// Creates a new file named path.XXXXXX (six random letters) with the mode given, as a plain create
// does: the kernel applies the umask and the folder's default ACL. Returns the descriptor or -1.
int CreateBeside(const std::string& path, mode_t mode, std::string& temp)
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::atomic<std::uint64_t> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t r = 0;
        if (::getrandom(&r, sizeof r, GRND_NONBLOCK) != ssize_t(sizeof r))
            r = (std::uint64_t(::getpid()) << 32) ^ std::uint64_t(::clock()) ^
                (counter++ * 0x9E3779B97F4A7C15ull);
        temp = path + '.';
        for (int i = 0; i < 6; ++i, r /= 62)
            temp += letters[r % 62];
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

std::string WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes)
{
    // A new file gets the mode a plain create gives; a replaced one keeps its own, and its copy stays
    // private until then. The umask is never touched: other threads may be creating files.
    struct stat st {
    };
    const bool replacing = ::stat(path.c_str(), &st) == 0;
    std::string temp;
    Fd fd(CreateBeside(path, replacing ? 0600 : 0666, temp));
    if (fd.Get() < 0)
        return Reason("create", temp, errno);

    bool done = false;
    auto cleanup = [&] {
        if (!done)
            ::unlink(temp.c_str());
    };
    if (replacing)
        ::fchmod(fd.Get(), st.st_mode & 07777);

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

std::string AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (fd.Get() < 0)
        return Reason("open", path, errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Reason("write", path, errno);
        done += std::size_t(n);
    }
    if (fd.Close() != 0)
        return Reason("close", path, errno);
    return "";
}

} // namespace platform

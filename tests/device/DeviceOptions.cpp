#include "DeviceOptions.h"

#include <arpa/inet.h>
#include <charconv>

namespace morvex_device
{

namespace
{

bool ParseInt(const std::string& text, int low, int high, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && value >= low && value <= high;
}

bool ParseHex(const std::string& text, BSTM& bytes)
{
    if (text.empty() || text.size() % 2 != 0) {
        return false;
    }
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (ec != std::errc() || ptr != text.data() + i + 2) {
            return false;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

} // namespace

const char* DeviceUsage()
{
    return "usage: morvex-test-device (--tcp PORT | --pty) [options]\n"
           "  --tcp PORT        listen on 127.0.0.1:PORT (0 picks a port); prints \"PORT <n>\"\n"
           "  --host ADDR       listen on this loopback address (127.x.y.z) in place of 127.0.0.1\n"
           "  --log FILE        append every frame received to FILE, one line of hex bytes each\n"
           "  --pty             open a pseudo-terminal in raw mode; prints \"PTY <path>\"\n"
           "  --id N            device id, 0..255 (default 1)\n"
           "  --identity TEXT   identity text answered to request 19\n"
           "  --lock PASS       start panel-locked with this 4-character password\n"
           "  --silent          never answer\n"
           "  --silent-after N  answer N frames of each link, then none\n"
           "  --delay MS        wait MS milliseconds before each reply\n"
           "  --chunk N         write replies in pieces of N bytes\n"
           "  --reply-id N      answer with source id N\n"
           "  --garbage HEX     write these bytes before every reply\n"
           "  --broken          damage the end markers of every reply\n"
           "  --drop-after N    close the link after answering N frames\n"
           "  --late N MS       answer frame N of each link MS milliseconds later\n"
           "  --double N        answer frame N of each link twice in one write (may be repeated)\n"
           "  --half-close N    after answering N frames, stop sending (half close) and keep listening\n"
           "  --flood           send level replies nobody asked for whenever no request waits\n"
           "  --help            show this text\n"
           "Runs until SIGINT or SIGTERM.\n";
}

bool ParseDeviceOptions(const std::vector<std::string>& args, DeviceOptions& options, std::string& error)
{
    options = DeviceOptions{};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](int low, int high, int& out) {
            std::string text;
            if (!value(text)) {
                return false;
            }
            if (!ParseInt(text, low, high, out)) {
                error = "option " + arg + ": '" + text + "' is not a number from " + std::to_string(low) +
                        " to " + std::to_string(high);
                return false;
            }
            return true;
        };
        bool ok = true;
        if (arg == "--help" || arg == "-h") {
            options.Help = true;
        } else if (arg == "--tcp" || arg == "--pty") {
            if (options.LinkMode != DeviceOptions::Mode::None) {
                error = "give only one of --tcp and --pty";
                return false;
            }
            options.LinkMode = arg == "--tcp" ? DeviceOptions::Mode::Tcp : DeviceOptions::Mode::Pty;
            if (arg == "--tcp") {
                ok = number(0, 65535, options.TcpPort);
            }
        } else if (arg == "--host") {
            std::string text;
            ok = value(text);
            in_addr addr{};
            if (ok && (::inet_pton(AF_INET, text.c_str(), &addr) != 1 || (ntohl(addr.s_addr) >> 24) != 127)) {
                error = "option --host: '" + text + "' is not a loopback address (127.x.y.z)";
                return false;
            }
            options.Host = ntohl(addr.s_addr);
        } else if (arg == "--log") {
            ok = value(options.LogPath);
        } else if (arg == "--id") {
            ok = number(0, 255, options.Id);
        } else if (arg == "--identity") {
            ok = value(options.Identity);
        } else if (arg == "--lock") {
            ok = value(options.LockPassword);
            if (ok && options.LockPassword.size() != 4) {
                error = "option --lock: the password has 4 characters";
                return false;
            }
        } else if (arg == "--silent") {
            options.Faults.SilentAfter = 0;
        } else if (arg == "--silent-after") {
            ok = number(0, 1000000, options.Faults.SilentAfter);
        } else if (arg == "--delay") {
            ok = number(0, 600000, options.Faults.ReplyDelayMs);
        } else if (arg == "--chunk") {
            ok = number(1, 4096, options.Faults.ChunkSize);
        } else if (arg == "--reply-id") {
            ok = number(0, 255, options.Faults.ReplyId);
        } else if (arg == "--garbage") {
            std::string text;
            ok = value(text);
            if (ok && !ParseHex(text, options.Faults.Garbage)) {
                error = "option --garbage: '" + text + "' is not an even number of hex digits";
                return false;
            }
        } else if (arg == "--broken") {
            options.Faults.BrokenFrames = true;
        } else if (arg == "--drop-after") {
            ok = number(1, 1000000, options.Faults.DropAfter);
        } else if (arg == "--late") {
            ok = number(1, 1000000, options.Faults.LateFrame) && number(0, 600000, options.Faults.LateMs);
        } else if (arg == "--double") {
            int frame = 0;
            ok = number(1, 1000000, frame);
            options.Faults.DoubleFrames.push_back(frame);
        } else if (arg == "--half-close") {
            ok = number(1, 1000000, options.Faults.HalfCloseAfter);
        } else if (arg == "--flood") {
            options.Faults.Flood = true;
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if (!ok) {
            return false;
        }
    }
    if (!options.Help && options.LinkMode == DeviceOptions::Mode::None) {
        error = "give --tcp PORT or --pty";
        return false;
    }
    return true;
}

} // namespace morvex_device

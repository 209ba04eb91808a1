// In-memory HID backend: devices with an id pair and report lengths, plugged and unplugged
// by the test. Open hands out one end of a SOCK_SEQPACKET pair, which keeps report
// boundaries like hidraw; the test holds the other end as the device.
#pragma once

#include <cerrno>
#include <fcntl.h>

#include <sys/socket.h>
#include <unistd.h>

#include <map>

#include "platform/HidBackend.h"
#include "platform/UniqueFd.h"

class FakeHidBackend : public platform::HidBackend
{
  public:
    struct Dev {
        platform::HidDeviceEntry Entry;
        platform::HidReportLengths Lengths;
        bool Present = true;
        bool Openable = true;
        int OpenError = ENOENT; // errno of a failed open
        bool ReadWrite = true;
        platform::UniqueFd Editor, Peer; // Editor is dup'ed for every Open
    };

    bool BindResult = true;
    int Binds = 0;
    int StringReads = 0; // GetString calls; only the product name (index 2) is given

    // Adds a device; returns its DeviceID.
    std::string Add(uint16_t vid, uint16_t pid, uint16_t inLen = 65, uint16_t outLen = 65)
    {
        std::string id = "dev" + std::to_string(FNext++);
        Dev& d = FDevs[id];
        d.Entry.DeviceID = id;
        d.Entry.DevicePath = "/fake/" + id;
        d.Entry.ClassDescr = "HIDClass";
        d.Entry.Attributes = {vid, pid, 0x100};
        d.Lengths = {inLen, outLen, 0, false};
        int sv[2];
        ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sv);
        d.Editor.Reset(sv[0]);
        d.Peer.Reset(sv[1]);
        FOrder.push_back(id);
        return id;
    }
    // Uses an existing editor-side descriptor (such as the test device's HID pair).
    std::string AddWithFd(uint16_t vid, uint16_t pid, int editorFd, uint16_t len)
    {
        std::string id = Add(vid, pid, len, len);
        FDevs[id].Editor.Reset(editorFd);
        FDevs[id].Peer.Reset();
        FDevs[id].Lengths.NumberedReports = true; // its reports carry the id byte, as read
        return id;
    }
    Dev& Get(const std::string& id) { return FDevs.at(id); }
    void Unplug(const std::string& id)
    {
        FDevs.at(id).Present = false;
        FDevs.at(id).Peer.Reset(); // the device end goes away: reads fail
    }

    bool Bind() override
    {
        ++Binds;
        return BindResult;
    }
    void Unbind() override {}
    std::vector<platform::HidDeviceEntry> Scan() override
    {
        std::vector<platform::HidDeviceEntry> out;
        for (const std::string& id : FOrder) {
            if (FDevs.at(id).Present)
                out.push_back(FDevs.at(id).Entry);
        }
        return out;
    }
    int Open(const std::string& path, bool readWrite) override
    {
        for (auto& [id, d] : FDevs) {
            if (d.Entry.DevicePath != path)
                continue;
            if (!d.Present || !d.Openable || (readWrite && !d.ReadWrite)) {
                errno = d.Present && !d.Openable ? d.OpenError : ENOENT;
                return -1;
            }
            // Without write access the handle cannot write, as a read-only hidraw node.
            if (!d.ReadWrite)
                return ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            return ::dup(d.Editor.Get());
        }
        errno = ENOENT;
        return -1;
    }
    bool GetAttributes(int, const platform::HidDeviceEntry& e, platform::HidAttributes* out) override
    {
        *out = e.Attributes;
        return true;
    }
    bool GetReportLengths(int, const platform::HidDeviceEntry& e, platform::HidReportLengths* out) override
    {
        *out = FDevs.at(e.DeviceID).Lengths;
        return true;
    }
    bool GetString(int, const platform::HidDeviceEntry&, int index, std::string* out) override
    {
        ++StringReads;
        if (index != 2)
            return false;
        *out = "Morvex";
        return true;
    }
    int ChangeFd() override { return -1; }
    void DrainChange() override {}

  private:
    std::map<std::string, Dev> FDevs;
    std::vector<std::string> FOrder;
    int FNext = 0;
};

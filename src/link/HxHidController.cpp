#include "link/HxHidController.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>

THxHidDeviceController::THxHidDeviceController(std::shared_ptr<platform::HidBackend> backend)
    : FBackend(std::move(backend)), FContext(std::make_unique<QObject>()),
      FPoster(std::make_unique<LUiPoster>())
{
    FBound = FBackend && FBackend->Bind();
    if (!FBound)
        return;
    // The first scan runs when the event loop first runs, after the owner is set up.
    QTimer::singleShot(0, FContext.get(), [this] { EventPipe(-1); });
    int fd = FBackend->ChangeFd();
    if (fd >= 0) {
        FNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(FNotifier.get(), &QSocketNotifier::activated, FContext.get(), [this] {
            FBackend->DrainChange();
            EventPipe(0);
        });
    }
}

THxHidDeviceController::~THxHidDeviceController()
{
    OnDeviceChange = {};
    FDevUnplug = {};
    OnEnumerate = {};
    FNotifier.reset();
    FDestroying = true;
    std::vector<THxHidDevice*> devices;
    devices.swap(FList);
    for (THxHidDevice* d : devices) {
        if (d->IsCheckedOut()) {
            // Its read thread hands reports over through this controller: end it first.
            d->StopThread();
            d->FMyController = nullptr;
            d->DoUnplug(); // stays alive for its user, who checks it in
        } else {
            d->FMyController = nullptr;
            delete d;
        }
    }
    FPoster.reset();
    FContext.reset();
    if (FBound)
        FBackend->Unbind();
}

void THxHidDeviceController::Post(std::function<void()> fn)
{
    FPoster->Post(std::move(fn));
}

void THxHidDeviceController::EventPipe(long lParam)
{
    if (FInDeviceChange)
        return;
    FLParam = lParam;
    FInDeviceChange = true;
    DeviceChange();
    FInDeviceChange = false;
}

std::unique_ptr<THxHidDevice> THxHidDeviceController::Build(const platform::HidDeviceEntry& entry)
{
    return std::unique_ptr<THxHidDevice>(new THxHidDevice(std::make_unique<THxHidPnPInfo>(entry), this));
}

int THxHidDeviceController::IndexOf(const THxHidDevice* dev) const
{
    auto it = std::find(FList.begin(), FList.end(), dev);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void THxHidDeviceController::Recount()
{
    FNumCheckedIn = FNumCheckedOut = FNumUnplugged = 0;
    for (THxHidDevice* d : FList) {
        if (!d->IsCheckedOut())
            ++FNumCheckedIn;
        if (d->IsCheckedOut())
            ++FNumCheckedOut;
        if (!d->IsPluggedIn()) {
            --FNumCheckedOut;
            ++FNumUnplugged;
        }
    }
}

void THxHidDeviceController::DeviceChange()
{
    bool changed = FLParam == -1;
    std::vector<std::unique_ptr<THxHidDevice>> fresh;
    if (FBound) {
        FOpenFailures.clear();
        for (const platform::HidDeviceEntry& e : FBackend->Scan()) {
            try {
                fresh.push_back(Build(e));
            } catch (const EControllerError& x) {
                // Left out of the list; one that could not be opened is kept with its reason.
                if (x.Error != 0)
                    FOpenFailures.push_back({e, x.Error});
            }
        }
    }
    auto presentNow = [&](const std::string& id) {
        return std::any_of(fresh.rbegin(), fresh.rend(),
                           [&](const auto& n) { return n->PnPInfo().DeviceID() == id; });
    };
    for (int i = static_cast<int>(FList.size()) - 1; i >= 0; --i) {
        if (i >= static_cast<int>(FList.size()))
            continue;
        THxHidDevice* d = FList[static_cast<size_t>(i)];
        if (d->IsPluggedIn() && presentNow(d->PnPInfo().DeviceID()))
            continue;
        changed = true;
        d->DoUnplug(); // its OnUnplug may check it in, which destroys it
        if (IndexOf(d) < 0)
            continue;
        if (OnRemoval.Assigned())
            OnRemoval.Fn(d);
        int at = IndexOf(d);
        if (at >= 0 && !d->IsCheckedOut()) {
            FList.erase(FList.begin() + at);
            d->FMyController = nullptr;
            delete d;
        }
    }
    for (auto& n : fresh) {
        bool known = std::any_of(FList.begin(), FList.end(), [&](THxHidDevice* d) {
            return d->IsPluggedIn() && d->PnPInfo().DeviceID() == n->PnPInfo().DeviceID();
        });
        if (known) {
            n->FMyController = nullptr;
            n.reset();
        }
    }
    for (auto& n : fresh) {
        if (!n)
            continue;
        THxHidDevice* d = n.release();
        FList.push_back(d);
        changed = true;
        if (OnArrival.Assigned()) {
            d->FIsEnumerated = true;
            OnArrival.Fn(d);
            d->FIsEnumerated = false;
        }
    }
    Recount();
    if (changed && OnDeviceChange.Assigned())
        OnDeviceChange.Fn(this);
}

bool THxHidDeviceController::DoEnumerate(THxHidDevice* dev, int32_t idx)
{
    if (!OnEnumerate.Assigned())
        return false;
    dev->FIsEnumerated = true;
    bool go = OnEnumerate.Fn(dev, idx);
    if (IndexOf(dev) < 0)
        return go; // destroyed by its handler
    dev->FIsEnumerated = false;
    if (!dev->IsCheckedOut())
        dev->CloseHandles();
    return go;
}

int32_t THxHidDeviceController::Enumerate()
{
    int32_t count = 0;
    for (size_t i = 0; i < FList.size(); ++i) {
        THxHidDevice* d = FList[i];
        if (!d->IsPluggedIn())
            continue;
        ++count;
        if (!DoEnumerate(d, static_cast<int32_t>(i)))
            break;
    }
    return count;
}

bool THxHidDeviceController::CheckThisOut(THxHidDevice*& dev, size_t i)
{
    THxHidDevice* d = FList[i];
    if (d->IsCheckedOut())
        return false;
    dev = d;
    d->FIsCheckedOut = true;
    ++FNumCheckedOut;
    --FNumCheckedIn;
    d->StartThread();
    return true;
}

bool THxHidDeviceController::CheckOut(THxHidDevice*& dev)
{
    dev = nullptr;
    for (size_t i = 0; i < FList.size(); ++i) {
        if (CheckThisOut(dev, i))
            return true;
    }
    return false;
}

bool THxHidDeviceController::CheckOutByIndex(THxHidDevice*& dev, int32_t idx)
{
    dev = nullptr;
    if (idx < 0 || idx >= static_cast<int32_t>(FList.size()))
        return false;
    return CheckThisOut(dev, static_cast<size_t>(idx));
}

bool THxHidDeviceController::CheckOutByID(THxHidDevice*& dev, int32_t vid, int32_t pid)
{
    dev = nullptr;
    for (size_t i = 0; i < FList.size(); ++i) {
        const HIDD_ATTRIBUTES& a = FList[i]->Attributes();
        if (a.VendorID == vid && (a.ProductID == pid || pid == -1) && CheckThisOut(dev, i))
            return true;
    }
    return false;
}

bool THxHidDeviceController::CheckOutByClass(THxHidDevice*& dev, const std::string& className)
{
    dev = nullptr;
    if (className.empty())
        return false;
    for (size_t i = 0; i < FList.size(); ++i) {
        if (FList[i]->PnPInfo().ClassDescr() == className && CheckThisOut(dev, i))
            return true;
    }
    return false;
}

bool THxHidDeviceController::CheckOutByProductName(THxHidDevice*& dev, const std::string& name)
{
    dev = nullptr;
    if (name.empty())
        return false;
    for (size_t i = 0; i < FList.size(); ++i) {
        if (FList[i]->FProductName == name && CheckThisOut(dev, i))
            return true;
    }
    return false;
}

bool THxHidDeviceController::CheckOutByVendorName(THxHidDevice*& dev, const std::string& name)
{
    dev = nullptr;
    if (name.empty())
        return false;
    for (size_t i = 0; i < FList.size(); ++i) {
        if (FList[i]->FVendorName == name && CheckThisOut(dev, i))
            return true;
    }
    return false;
}

bool THxHidDeviceController::CheckOutByCallback(THxHidDevice*& dev, const THxHidCheckCallback& check)
{
    dev = nullptr;
    for (size_t i = 0; i < FList.size(); ++i) {
        THxHidDevice* d = FList[i];
        if (d->IsCheckedOut())
            continue;
        d->FIsEnumerated = true;
        bool ok = check(d);
        d->FIsEnumerated = false;
        if (ok && CheckThisOut(dev, i))
            return true;
        d->CloseHandles();
    }
    return false;
}

void THxHidDeviceController::CheckIn(THxHidDevice*& dev)
{
    if (dev == nullptr)
        return;
    THxHidDevice* d = dev;
    dev = nullptr;
    d->StopThread();
    d->CloseHandles();
    if (d->IsPluggedIn()) {
        if (d->IsCheckedOut()) {
            d->FIsCheckedOut = false;
            --FNumCheckedOut;
            ++FNumCheckedIn;
        }
    } else {
        delete d; // leaves the list and lowers the unplugged count
    }
}

template <class Pred> int32_t THxHidDeviceController::CountIf(Pred pred)
{
    int32_t n = 0;
    for (THxHidDevice* d : FList) {
        if (d->IsPluggedIn() && pred(d))
            ++n;
    }
    return n;
}

int32_t THxHidDeviceController::CountByID(int32_t vid, int32_t pid)
{
    return CountIf([&](THxHidDevice* d) {
        return d->Attributes().VendorID == vid && (d->Attributes().ProductID == pid || pid == -1);
    });
}

int32_t THxHidDeviceController::CountByClass(const std::string& className)
{
    return CountIf([&](THxHidDevice* d) { return d->PnPInfo().ClassDescr() == className; });
}

int32_t THxHidDeviceController::CountByProductName(const std::string& name)
{
    return CountIf([&](THxHidDevice* d) { return d->FProductName == name; });
}

int32_t THxHidDeviceController::CountByVendorName(const std::string& name)
{
    return CountIf([&](THxHidDevice* d) { return d->FVendorName == name; });
}

int32_t THxHidDeviceController::CountByCallback(const THxHidCheckCallback& check)
{
    return CountIf([&](THxHidDevice* d) {
        d->FIsEnumerated = true;
        bool ok = check(d);
        d->FIsEnumerated = false;
        if (!d->IsCheckedOut())
            d->CloseHandles();
        return ok;
    });
}

void THxHidDeviceController::SetDevThreadSleepTime(int32_t ms)
{
    if (ms == FDevThreadSleepTime)
        return;
    for (THxHidDevice* d : FList) {
        if (d->ThreadSleepTime() == FDevThreadSleepTime)
            d->SetThreadSleepTime(ms);
    }
    FDevThreadSleepTime = ms;
}

void THxHidDeviceController::SetOnDeviceChange(THxEvent<void(THxHidDeviceController*)> ev)
{
    if (ev.Same(OnDeviceChange))
        return;
    OnDeviceChange = std::move(ev);
    if (FBound)
        DeviceChange();
}

void THxHidDeviceController::SetOnDeviceData(THxHidDataEvent ev)
{
    if (ev.Same(FDevData))
        return;
    for (THxHidDevice* d : FList) {
        if (d->OnData().Same(FDevData))
            d->SetDataEvent(ev);
    }
    FDevData = std::move(ev);
}

void THxHidDeviceController::SetOnDeviceDataError(THxHidDataErrorEvent ev)
{
    if (ev.Same(FDevDataError))
        return;
    for (THxHidDevice* d : FList) {
        if (d->OnDataError.Same(FDevDataError))
            d->OnDataError = ev;
    }
    FDevDataError = std::move(ev);
}

void THxHidDeviceController::SetOnDeviceUnplug(THxHidPlugEvent ev)
{
    if (ev.Same(FDevUnplug))
        return;
    for (THxHidDevice* d : FList) {
        if (d->OnUnplug.Same(FDevUnplug))
            d->OnUnplug = ev;
    }
    FDevUnplug = std::move(ev);
}

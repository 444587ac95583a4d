#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Makes file modes bind the calling thread even when it runs as root (as CI
// does): the capabilities that override them are taken out of the thread's
// effective set and put back at the end of the scope. A no-op for ordinary
// users, whom the modes bind anyway.
class OwnerFileAccess {
public:
    OwnerFileAccess()
    {
        if (capget(&header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        restore_ = capset(&header_, reduced) == 0;
    }
    ~OwnerFileAccess()
    {
        if (restore_)
            capset(&header_, saved_);
    }
    OwnerFileAccess(const OwnerFileAccess&) = delete;
    OwnerFileAccess& operator=(const OwnerFileAccess&) = delete;

private:
    static int capget(__user_cap_header_struct* h, __user_cap_data_struct* d)
    {
        return static_cast<int>(syscall(SYS_capget, h, d));
    }
    static int capset(__user_cap_header_struct* h, const __user_cap_data_struct* d)
    {
        return static_cast<int>(syscall(SYS_capset, h, d));
    }

    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool restore_ = false;
};

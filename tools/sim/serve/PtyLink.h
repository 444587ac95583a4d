#pragma once

#include <memory>
#include <string>

#include "Line.h"

namespace tqsim {

// A pseudo-terminal whose slave end a master opens through a symbolic link.
// The simulator keeps a slave descriptor of its own, so masters can open and
// close the device as often as they like without the master end hanging up.
class PtyLink final : public Line {
public:
    static std::unique_ptr<PtyLink> open(std::string* error);
    ~PtyLink() override;

    // Points linkPath at the slave device, replacing an old link. Done last,
    // because a link that exists means "ready to serve".
    bool createLink(const std::string& linkPath, std::string* error);

    int fd() const override { return master_; }
    std::string deviceName() const override { return slaveName_; }
    void dropUnreadAnswers() override;

private:
    PtyLink(int master, int slave, std::string slaveName);

    int master_;
    int slave_;
    std::string slaveName_;
    std::string linkPath_;
};

} // namespace tqsim

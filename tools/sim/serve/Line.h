#pragma once

#include <string>

namespace tqsim {

// The serial line the simulator answers on: a non-blocking descriptor to
// read requests from and write answers to.
class Line {
public:
    virtual ~Line() = default;
    virtual int fd() const = 0;
    virtual std::string deviceName() const = 0;
    // Called before each answer: whatever earlier answer is still unread
    // belongs to a master that gave up or left, and a real line would not
    // have kept it for the next one.
    virtual void dropUnreadAnswers() {}
};

} // namespace tqsim

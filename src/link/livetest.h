#pragma once
// A live valve test as a job of the link supervisor: while the front end holds a test, the
// command's pair (its code and level) goes out at every pass of the connected link, and each
// pair counts as the link's traffic, so no keep-alive is due meanwhile. The supervisor's request
// slot holds the command's code; a new request of any kind ends the test.
#include <cstdint>

class TCOMThread;

class LiveTest {
public:
    enum class State : uint8_t {
        Stored,     // the command is stored and has not gone out yet
        Streaming,  // its pair has gone out at least once
    };

    explicit LiveTest(TCOMThread &link) : m_link(link) {}

    // A new command, or a new level for the one under way.
    void Store(uint8_t level)
    {
        m_level = level;
        m_state = State::Stored;
    }
    bool Unsent() const { return m_state == State::Stored; }
    // One pass: the pair of command `code` goes out.
    void Step(uint8_t code);

private:
    TCOMThread &m_link;
    uint8_t m_level = 0;
    State m_state = State::Stored;
};

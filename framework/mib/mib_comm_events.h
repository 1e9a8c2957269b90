#pragma once
// What the owner of a CMibComm (a page or dialog base) receives: the outcome
// of every read and set it started, from the event loop.

class CMibCommEvents {
public:
    virtual void OnRequestDone(int h) = 0;
    virtual void OnError(int h) = 0;

protected:
    ~CMibCommEvents() = default;
};

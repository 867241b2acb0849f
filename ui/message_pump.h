#pragma once
// Lets the messages waiting in this thread's queue run, then returns. A quit request is
// put back so that the main loop still sees it.
namespace ormind {

void ProcessPendingMessages();

}  // namespace ormind

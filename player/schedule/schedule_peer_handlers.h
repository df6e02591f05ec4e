#pragma once
// The scheduler's answers to the editor's notices: code 3 rebuilds the schedule table;
// after the [Scheduler], [Network] and [Misc] sections were reloaded, the tick length, the
// synchronisation timer and the screen saver rule follow them.
namespace tessaro {

class NetworkTimers;
class PeerUpdateDispatcher;
class Scheduler;

void RegisterSchedulePeerHandlers(PeerUpdateDispatcher& dispatcher, Scheduler& scheduler,
                                  NetworkTimers& timers);

}  // namespace tessaro

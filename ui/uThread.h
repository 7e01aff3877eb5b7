// A worker thread with a terminate request, a suspended state, a wait for its end that
// keeps serving the user-interface thread, and a synchronous call into that thread.
//
// Suspension is the worker's own wait on an event at the points it chooses
// (SuspendPoint), never SuspendThread: a thread stopped by the system wherever it is may
// hold a lock of the heap, the loader or the message machinery, and the next user of
// that lock on the user-interface thread would wait for ever.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <initializer_list>

#include "ui/uHandle.h"

namespace velmora::ui {

// Waits until one of the objects is signalled, meanwhile running messages sent to the
// calling thread (a thread it waits for may be sending to it, another program's low-level
// hook on it must not stall input). Gives the wait's result.
DWORD WaitServingSent(std::initializer_list<HANDLE> objects) noexcept;

class TThread {
 public:
  // Made on the user-interface thread, suspended: Execute begins at the first Resume.
  TThread();
  // Ends the thread (EndThread). A class that overrides Execute ends it in its own
  // destructor, before its members go.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Terminate() noexcept;
  bool Terminated() const noexcept { return terminated_; }
  bool Suspended() const noexcept { return suspended_; }
  void Suspend() noexcept;
  void Resume() noexcept;
  bool Finished() const noexcept { return finished_; }
  // Waits for the thread's end, meanwhile running messages sent to the calling thread,
  // so that a pending Synchronize can complete.
  void WaitFor() noexcept;
  int Priority() const noexcept;
  void SetPriority(int priority) noexcept;
  DWORD ThreadId() const noexcept { return threadId_; }

 protected:
  virtual void Execute() = 0;
  // Runs method on the user-interface thread and waits for it; what it throws is thrown
  // again here.
  void Synchronize(const std::function<void()>& method);
  // Waits while the thread is suspended, unless it is asked to terminate.
  void SuspendPoint() noexcept;
  // Waits ms milliseconds, or less when asked to terminate.
  void Sleep(DWORD ms) noexcept;
  // Terminates, resumes and waits for the end; again, it does nothing.
  void EndThread() noexcept;

 private:
  static DWORD WINAPI ThreadProc(void* self);
  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND sync_ = nullptr;      // a hidden window of the user-interface thread
  TKernelHandle running_;    // manual-reset: set while not suspended
  TKernelHandle terminate_;  // manual-reset: set by Terminate
  TKernelHandle thread_;
  DWORD threadId_ = 0;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> suspended_{true};
  std::atomic<bool> finished_{false};
};

}  // namespace velmora::ui

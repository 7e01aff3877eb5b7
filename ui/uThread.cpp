#include "ui/uThread.h"

#include <stdexcept>
#include <utility>

#include "ui/uApplication.h"

namespace velmora::ui {

namespace {

constexpr char kSyncClass[] = "VelmoraThreadSync";
constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x3F01;

struct TSyncCall {
  const std::function<void()>* Method;
  std::exception_ptr Error;
};

class THandles {
 public:
  ~THandles() {
    for (HANDLE h : {a, b})
      if (h) CloseHandle(h);
  }
  HANDLE a = nullptr, b = nullptr;
};

}  // namespace

TThread::TThread() {
  RegisterWindowClass(kSyncClass, SyncWndProc);
  THandles events;
  events.a = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  events.b = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!events.a || !events.b) throw std::runtime_error("cannot create the thread's events");
  sync_ = CreateWindowExA(0, kSyncClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(),
                          nullptr);
  if (!sync_) throw std::runtime_error("cannot create the thread's window");
  // The thread reads the events from its first instruction.
  running_ = events.a;
  terminate_ = events.b;
  thread_ = CreateThread(nullptr, 0, ThreadProc, this, 0, &threadId_);
  if (!thread_) {
    running_ = terminate_ = nullptr;
    DestroyWindow(sync_);
    throw std::runtime_error("cannot create a thread");
  }
  events.a = events.b = nullptr;
}

TThread::~TThread() {
  EndThread();
  CloseHandle(thread_);
  CloseHandle(running_);
  CloseHandle(terminate_);
  DestroyWindow(sync_);
}

void TThread::EndThread() noexcept {
  Terminate();
  Resume();
  WaitFor();
}

void TThread::Terminate() noexcept {
  terminated_ = true;
  if (terminate_) SetEvent(terminate_);
}

void TThread::Suspend() noexcept {
  suspended_ = true;
  ResetEvent(running_);
}

void TThread::Resume() noexcept {
  suspended_ = false;
  SetEvent(running_);
}

void TThread::WaitFor() noexcept {
  if (GetCurrentThreadId() == threadId_) return;  // would wait for itself
  for (;;) {
    const DWORD r = MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + 1) return;  // ended, or the wait itself failed
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs sent messages
  }
}

int TThread::Priority() const noexcept {
  return GetThreadPriority(thread_);
}

void TThread::SetPriority(int priority) noexcept {
  SetThreadPriority(thread_, priority);
}

void TThread::SuspendPoint() noexcept {
  if (!suspended_) return;
  HANDLE wake[] = {running_, terminate_};
  WaitForMultipleObjects(2, wake, FALSE, INFINITE);
}

void TThread::Sleep(DWORD ms) noexcept {
  WaitForSingleObject(terminate_, ms);
}

void TThread::Synchronize(const std::function<void()>& method) {
  TSyncCall call{&method, nullptr};
  SendMessageA(sync_, WM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&call));
  if (call.Error) std::rethrow_exception(call.Error);
}

LRESULT CALLBACK TThread::SyncWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYNCHRONIZE) {
    auto* call = reinterpret_cast<TSyncCall*>(lParam);
    TDispatchScope scope;
    try {
      (*call->Method)();
    } catch (...) {
      call->Error = std::current_exception();
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI TThread::ThreadProc(void* param) {
  auto* self = static_cast<TThread*>(param);
  // Execute begins at the first Resume, once the object is complete.
  self->SuspendPoint();
  if (!self->terminated_) Guarded([&] { self->Execute(); });
  self->finished_ = true;
  return 0;
}

}  // namespace velmora::ui

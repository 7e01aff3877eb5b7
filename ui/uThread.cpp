#include "ui/uThread.h"

#include <stdexcept>
#include <utility>

#include "ui/uApplication.h"
#include "ui/uBinding.h"

namespace velmora::ui {

namespace {

constexpr char kSyncClass[] = "VelmoraThreadSync";
constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x3F01;

struct TSyncCall {
  const std::function<void()>* Method;
  std::exception_ptr Error;
};

}  // namespace

TThread::TThread() {
  RegisterWindowClass(kSyncClass, WindowProcedure<TThread, &TThread::Receive>);
  // The thread reads the events from its first instruction.
  running_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  terminate_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!running_ || !terminate_) throw std::runtime_error("cannot create the thread's events");
  sync_ = CreateWindowExA(0, kSyncClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(),
                          this);
  if (!sync_) throw std::runtime_error("cannot create the thread's window");
  thread_.Reset(CreateThread(nullptr, 0, ThreadProc, this, 0, &threadId_));
  if (!thread_) {
    DestroyWindow(sync_);
    throw std::runtime_error("cannot create a thread");
  }
}

TThread::~TThread() {
  EndThread();
  DestroyWindow(sync_);
}

void TThread::EndThread() noexcept {
  Terminate();
  Resume();
  WaitFor();
}

void TThread::Terminate() noexcept {
  terminated_ = true;
  if (terminate_) SetEvent(terminate_.Get());
}

void TThread::Suspend() noexcept {
  suspended_ = true;
  ResetEvent(running_.Get());
}

void TThread::Resume() noexcept {
  suspended_ = false;
  SetEvent(running_.Get());
}

DWORD WaitServingSent(std::initializer_list<HANDLE> objects) noexcept {
  const auto count = static_cast<DWORD>(objects.size());
  for (;;) {
    const DWORD r =
        MsgWaitForMultipleObjects(count, objects.begin(), FALSE, INFINITE, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + count) return r;  // signalled, or the wait itself failed
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs sent messages
  }
}

void TThread::WaitFor() noexcept {
  if (GetCurrentThreadId() == threadId_) return;  // would wait for itself
  WaitServingSent({thread_.Get()});
}

int TThread::Priority() const noexcept {
  return GetThreadPriority(thread_.Get());
}

void TThread::SetPriority(int priority) noexcept {
  SetThreadPriority(thread_.Get(), priority);
}

void TThread::SuspendPoint() noexcept {
  if (!suspended_) return;
  const HANDLE wake[] = {running_.Get(), terminate_.Get()};
  WaitForMultipleObjects(2, wake, FALSE, INFINITE);
}

void TThread::Sleep(DWORD ms) noexcept {
  WaitForSingleObject(terminate_.Get(), ms);
}

void TThread::Synchronize(const std::function<void()>& method) {
  TSyncCall call{&method, nullptr};
  SendMessageA(sync_, WM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&call));
  if (call.Error) std::rethrow_exception(call.Error);
}

LRESULT TThread::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYNCHRONIZE) {
    // What the method throws goes back to the waiting thread.
    auto* call = reinterpret_cast<TSyncCall*>(lParam);
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

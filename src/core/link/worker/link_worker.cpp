#include "core/link/worker/link_worker.h"

#include <array>

#include "core/link/worker/worker_actions.h"
#include "core/link/worker/worker_context.h"

namespace netloom::link {
namespace {

// The idle read asks for one byte less than the buffer holds, as the loop always has.
constexpr std::size_t kIdleReadLimit = kReceiveBufferSize - 1;

// One idle read and its echo. True when the port is lost.
bool IdleRead(WorkerContext& ctx) {
  std::array<std::uint8_t, kIdleReadLimit> buffer{};
  const ReadResult read = ctx.port.Read(buffer);
  // Bytes that came before the read failed are the module's last words: shown all the same.
  const bool echo =
      read.count > 0 && ctx.session.Read([](const LinkState& s) { return s.request.echoOn; });
  if (echo) {
    ctx.listener.AppendOutput(
        std::string_view(reinterpret_cast<const char*>(buffer.data()), read.count));
  }
  if (read.failed) {
    ctx.listener.PortLost(PortLostText(ctx.port.Path(), ctx.port.LastError().detail));
    return true;
  }
  return false;
}

std::int32_t RunIdentity(WorkerContext& ctx, int (*exchange)(WorkerContext&)) {
  ctx.session.Update([](LinkState& state) { state.identity.status = 0; });
  const std::int32_t result = exchange(ctx);
  ctx.session.Update([&](LinkState& state) { state.identity.status = result; });
  return result;
}

// Whether more console commands wait after the one `code` sent: the code is signalled again for
// them, so that each goes in a turn of its own, after the idle read that shows the last one's
// reply.
bool MoreQueued(const LinkSession& session, WorkerCommand code) {
  return code == WorkerCommand::ConsoleCommand &&
         session.Read([](const LinkState& s) { return !s.request.consoleLines.empty(); });
}

CommandReport Perform(WorkerContext& ctx, WorkerCommand code) {
  CommandReport report{code};
  switch (code) {
    case WorkerCommand::ConsoleCommand:
      return ConsoleCommandAction(ctx);
    case WorkerCommand::RawText:
      return RawTextAction(ctx);
    case WorkerCommand::QueryNetwork:
      return QueryNetworkCommand(ctx);
    case WorkerCommand::ReadConfig:
      return ReadConfigImage(ctx);
    case WorkerCommand::WriteConfig:
      return WriteConfigImage(ctx);
    case WorkerCommand::ReadIdentity:
      report.delivered = RunIdentity(ctx, ReadIdentityExchange) == 1;
      break;
    case WorkerCommand::WriteIdentity:
      report.delivered = RunIdentity(ctx, WriteIdentityExchange) == 1;
      break;
    case WorkerCommand::Wake:
    case WorkerCommand::Stop:
      break;
  }
  return report;
}

}  // namespace

CThread::CThread(std::unique_ptr<SerialPort> port, const UartSettings& settings,
                 WorkerListener& listener, LinkSession& session,
                 catalogue::ConfigValueTable& configValues, Clock& clock)
    : port_(std::move(port)),
      settings_(settings),
      listener_(listener),
      session_(session),
      configValues_(configValues),
      clock_(clock) {
  session_.Update([](LinkState& state) { state.request = WorkerRequest{}; });
}

CThread::~CThread() {
  Stop();
}

void CThread::Start() {
  session_.Update([](LinkState& state) { state.workerEnded = false; });
  thread_ = std::thread([this] { Run(); });
}

void CThread::Signal(WorkerCommand code) {
  if (code == WorkerCommand::Stop) {
    session_.Update([](LinkState& state) { state.request.echoOn = false; });
  }
  events_.Set(code);
}

void CThread::Stop() {
  Signal(WorkerCommand::Stop);
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void CThread::Run() {
  if (port_) {
    WorkerContext ctx{*port_, settings_, clock_, listener_, session_, configValues_};
    bool lost = false;
    for (;;) {
      if (lost) {
        events_.WaitAny();
      } else {
        lost = IdleRead(ctx);
      }
      const auto code = events_.TakeLowest();
      if (!code) continue;
      const CommandReport report = Perform(ctx, *code);
      if (*code == WorkerCommand::Stop) break;
      if (MoreQueued(session_, *code)) events_.Set(*code);
      listener_.CommandFinished(report);
    }
    port_.reset();  // closes the device
    listener_.CommandFinished(CommandReport{WorkerCommand::Stop});
  }
  session_.Update([](LinkState& state) { state.workerEnded = true; });
}

void SignalWorker(CThread& worker, WorkerCommand code) {
  worker.Signal(code);
}

std::string PortLostText(const std::string& path, const std::string& reason) {
  return "Port lost: " + path + " fails every read" + (reason.empty() ? "" : " (" + reason + ")") +
         ". Was the adapter removed?";
}

}  // namespace netloom::link

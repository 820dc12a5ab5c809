// The network query command around the walk (walk/): prelude, tables, and the reports to the
// listener.
#include "core/link/exchange/command_mode.h"
#include "core/link/walk/device_directory.h"
#include "core/link/walk/network_walk.h"
#include "core/link/worker/worker_actions.h"

namespace netloom::link {
namespace {

constexpr std::uint32_t kQueryReadTimeoutMs = 200;

struct QueryRequest {
  bool autoRefresh = false;
  bool emptyNodeTable = false;
  std::string rootAddress;
};

// The walk of one query, after the prelude: asks `rootAddress` and its children down to the
// query's depth, filling the worker's node table, node counter and the device directory. The
// root's record, or null when the root gave no usable reply.
NodePtr QueryNetworkAction(WorkerContext& ctx, const std::string& rootAddress) {
  NetworkWalk walk(
      ctx.port, ctx.clock, ctx.nodeTable, ctx.nodeCounter, ProcessDeviceDirectory(),
      [&](std::string_view text) { ctx.listener.ShowMessage(text); },
      [&](std::string_view text) { ctx.listener.AppendOutput(text); });
  return walk.QueryNode(rootAddress, kQueryDepth);
}

}  // namespace

CommandReport QueryNetworkCommand(WorkerContext& ctx) {
  const QueryRequest request = ctx.session.Update([](LinkState& state) {
    QueryRequest taken{state.request.autoRefresh, state.request.emptyNodeTable,
                       state.request.rootAddress};
    state.request.emptyNodeTable = false;
    return taken;
  });
  if (request.emptyNodeTable) {  // Run asked for fresh tables
    ctx.nodeTable.clear();
    ctx.nodeCounter = 0;
  }
  CommandReport report{WorkerCommand::QueryNetwork};
  if (!request.autoRefresh) return report;

  ctx.listener.QueryStarted();
  QueryPrelude(ctx.port, ctx.clock);
  ctx.SetReadTimeout(kQueryReadTimeoutMs);
  // Every query starts from an empty table, also after one that counted no node: a lone
  // coordinator left in the table would make this query find it there and report no root.
  // Records stay alive while a snapshot handed out holds them.
  ctx.nodeCounter = 0;
  ctx.nodeTable.clear();
  NodePtr root = QueryNetworkAction(ctx, request.rootAddress);
  if (!root) {
    report.failure = kNoAnswerFromCoordinator;
    return report;
  }
  ctx.listener.ClearDiagram();
  NetworkSnapshot snapshot;
  snapshot.nodeCount = ctx.nodeCounter;
  snapshot.nodeTable = ctx.nodeTable;
  snapshot.rootNode = std::move(root);
  ctx.listener.NetworkReady(snapshot);
  report.delivered = true;
  return report;
}

}  // namespace netloom::link

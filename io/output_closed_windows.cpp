#include <windows.h>
#include <winternl.h>

#include "io/output.h"

namespace {

// The named-pipe file system's own record of one end of a pipe (anonymous pipes are named pipes
// too); NamedPipeState turns to closing once the other end's last handle is closed.
struct PipeLocalInformation {
  ULONG type, configuration, maximum_instances, current_instances, inbound_quota, read_data_available,
      outbound_quota, write_quota_available, state, end;
};
constexpr ULONG FILE_PIPE_LOCAL_INFORMATION_CLASS = 24;
constexpr ULONG PIPE_DISCONNECTED_STATE = 1;
constexpr ULONG PIPE_CLOSING_STATE = 4;

using QueryInformationFile = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);

QueryInformationFile Query() {
  static const auto query = reinterpret_cast<QueryInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  return query;
}

}  // namespace

// Only a pipe can tell. Under wine, a Linux pipe handed to the engine answers the question with
// "not implemented", like a file or a console: there, only a failed write tells.
bool OutputClosed() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (Query() == nullptr || GetFileType(output) != FILE_TYPE_PIPE) return false;
  IO_STATUS_BLOCK status{};
  PipeLocalInformation pipe{};
  if (!NT_SUCCESS(Query()(output, &status, &pipe, sizeof pipe, FILE_PIPE_LOCAL_INFORMATION_CLASS))) return false;
  return pipe.state == PIPE_DISCONNECTED_STATE || pipe.state == PIPE_CLOSING_STATE;
}

// Built by the tests writer_sink_*: as it stands it compiles, and with
// JWW_FORGET_SINK set to 1 or 2 it must not, since a command line and a
// command function write only to a sink that the caller names.
#include "transfer/write/JwwCommandLine.h"
#include "transfer/write/JwwEntityCommands.h"

void WriteAPoint(TJwwLineSink& out) {
#if JWW_FORGET_SINK == 1
  TJwwCommandLine("pt").SpaceReal(1).SpaceReal(2).Add();
#elif JWW_FORGET_SINK == 2
  PutPoint(1, 2);
#else
  TJwwCommandLine("pt").SpaceReal(1).SpaceReal(2).AddTo(out);
  PutPoint(1, 2, out);
#endif
}

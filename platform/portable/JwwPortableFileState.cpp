// portable/: the C library alone, for any target whose system interface the core does not know.
#include "transfer/seams/JwwSeams.h"

std::optional<TJwwFileState> JwwSystemFileState(std::FILE*) {
  return std::nullopt;
}

TJwwFileState JwwSystemPathState(const std::string&) {
  return {};
}

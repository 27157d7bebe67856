// The library's life cycle: each layer's own part of a fresh start and of
// the release at close.
#include "transfer/JwwGaibu.h"

void JwwInit() {
  jwwReadResult = jrNoFile;
  JwwInitStore();
  ClearOutputLines();
}

void JwwRelease() {
  JwwReleaseStore();
  ReleaseOutputLines();
}

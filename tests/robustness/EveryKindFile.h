// A transfer file of every kind of statement, repeated to a given size: big
// enough, at a few hundred kilobytes, for the reader to need several reads
// and for the core to put its second thread to work.
#pragma once

#include <cstddef>
#include <string>

inline std::string EveryKindTransferFile(size_t bytes) {
  const std::string cycle =
      "lg1\r\nly2\r\nlc3\r\n0 0 10 10\r\nci 0 0 5\r\nci 0 0 5 0 1 1 0\r\n"
      "ch 1 2 1 0 \"\x83\x65\x83\x4c\x83\x58\x83\x67 text\r\npt 1 2\r\npt 1 2 3 4 5\r\n"
      "msg\r\n0 0 1 1\r\ncs 0 0 1 0 \"x\r\nBL 0 0 name\r\nsl 0 0 1 1\r\nsl 0 0 1 0 1 1\r\n"
      "sl 0 0 1 0 1 1 0 1\r\nsc 1 2 3 4 5 6 7 0\r\nse 1 2 3 4 5 6 7 0\r\n"
      "so 1 2 3 4 5 6 7 1\r\nsg 1 2 3 4 5 6 7 1\r\n";
  std::string file;
  while (file.size() < bytes) file += cycle;
  return file;
}

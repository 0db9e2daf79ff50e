/// String streams that count how often they were flushed.
#pragma once

#include <ostream>
#include <sstream>
#include <string>

namespace nodara {

/// A string buffer that counts its flushes.
class CountingBuffer : public std::stringbuf {
 public:
  int syncCount = 0;

 protected:
  int sync() override {
    ++syncCount;
    return std::stringbuf::sync();
  }
};

/// A pair of counting streams standing in for standard output and error.
struct CapturedStreams {
  std::string out() const { return outBuffer.str(); }
  std::string err() const { return errBuffer.str(); }

  CountingBuffer outBuffer;
  CountingBuffer errBuffer;
  std::ostream outStream{&outBuffer};
  std::ostream errStream{&errBuffer};
};

}  // namespace nodara

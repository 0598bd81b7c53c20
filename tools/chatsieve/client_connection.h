// One client's connection, as httplib reads requests from it and writes answers to it.
// The socket never blocks: bytes are read ahead into a buffer, so that a worker takes up
// a request only once its head has arrived, and an answer is gathered and sent whole.
// Each request has a deadline and a cap on the bytes it may read, so that no client
// holds a worker or memory for long, however slowly or however much it sends.
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <string>

#include "file_descriptor.h"
#include "pending_bodies.h"

namespace chatsieve::tool {

using Clock = std::chrono::steady_clock;

class ClientConnection final : public httplib::Stream {
 public:
  explicit ClientConnection(FileDescriptor socket);

  // Reads what the socket holds now, without waiting, until `most` bytes are unread.
  // False once the client has closed its side or the socket failed; the requests it
  // sent before are still there to be answered.
  bool ReadAvailable(size_t most);
  // Whether the unread bytes hold a whole request head: the request line and the header
  // lines up to the blank line.
  bool HoldsRequestHead();
  size_t Unread() const { return input_.size() - input_used_; }
  // When the first unread byte arrived.
  Clock::time_point RequestStarted() const { return request_started_; }

  // The request that starts now may read `budget` bytes until `read_deadline`, and
  // each send of its answer may wait `write_timeout`.
  void BeginRequest(size_t budget, Clock::time_point read_deadline, Clock::duration write_timeout);
  // Sends the answer gathered; unread bytes then belong to the next request. False when
  // the client did not take the answer in time.
  bool FinishRequest();
  // A limit was hit or the socket failed: the connection serves no further request.
  bool Broken() const { return broken_; }
  size_t RequestsAnswered() const { return requests_; }
  void CountRequest() { ++requests_; }
  // The bytes of the request so far: its head, once httplib has read it.
  size_t RequestBytesRead() const { return input_used_ - request_begin_; }

  // Puts the request back, its head unread and its answer dropped, to be taken up again
  // once `expected` bytes of it have arrived, holding `share` of the pending bodies
  // meanwhile (an empty one: the share it holds). False when it cannot be (its head is
  // no longer in the buffer).
  bool DeferRequest(PendingBodies::Share share, size_t expected);
  // The bytes a deferred request waits for (0: none is deferred).
  size_t Expected() const { return expected_; }
  // Whether a deferred request holds its share of the pending bodies.
  bool HoldsShare() const { return static_cast<bool>(share_); }
  // Tells a client that waits for it (Expect: 100-continue) to send its body, once.
  void SendContinue();
  bool Continued() const { return continued_; }
  // Gives back the buffers of a connection that waits for its next request.
  void ReleaseBuffers();

  bool is_readable() const override { return !broken_; }
  bool is_writable() const override { return true; }
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return socket_.Get(); }

 private:
  bool SendOutput();
  // Waits until the socket is ready for `events` or the deadline passes.
  bool Await(short events, Clock::time_point deadline);
  // Appends one read's worth of bytes; 0 at the client's end, -1 on no bytes or failure.
  ssize_t Receive();

  FileDescriptor socket_;
  std::string input_;
  size_t input_used_ = 0;
  size_t head_scanned_ = 0;  // unread bytes already searched for the end of a head
  std::string output_;
  size_t budget_ = 0;
  Clock::time_point read_deadline_;
  Clock::duration write_timeout_{};
  Clock::time_point request_started_;
  size_t requests_ = 0;
  size_t request_begin_ = 0;  // where the request's bytes start in input_
  bool rewindable_ = false;   // none of them has left input_
  size_t expected_ = 0;
  PendingBodies::Share share_;
  bool continued_ = false;
  bool broken_ = false;
};

}  // namespace chatsieve::tool

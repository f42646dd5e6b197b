#pragma once

namespace platform {

// Counts the work of this process that runs on threads nobody waits for (a
// scan cancelled while its file is still being read, a folder listed on a
// server that does not answer): the program asks once, as it ends, whether
// any is left, and then leaves without taking away what that work still
// uses.
class RunningWork {
 public:
  // Counts one piece of work for as long as it lives; move it into the
  // thread that does the work.
  class Token {
   public:
    Token();
    ~Token();
    Token(Token&& other) noexcept;
    Token& operator=(Token&&) = delete;
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

   private:
    bool counted_ = true;
  };

  // Whether any counted work is still running.
  static bool Any();
};

}  // namespace platform

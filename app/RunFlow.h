// The program's run from the window's opening to its closing, without the
// window itself: what each event asks of the core and of the settings file,
// in order, the status texts, the one message the user is told and the exit
// code. The window (Unit1) forwards its events here and lends the run its
// status line, placement and message box (TRunWindow); a start with /flip:N,
// a refused command line and a window that could not be made run the same
// flow with a window that shows nothing. Portable C++: the tests run it
// natively.
//
// Every way out answers the host. Whatever throws inside an event, in the
// run or in the window's calls, is caught in one place (Guarded), which
// answers "hq", tells the user that the run failed and closes; nothing
// unwinds out of an event, so nothing unwinds through the window procedure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/SettingsFile.h"
#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

// Exit codes of the program, one for each way it can end.
inline constexpr int kExitAnswered = 0;      // the answer saved, or no answer due
inline constexpr int kExitNotSaved = 1;      // an answer was due and could not be saved
inline constexpr int kExitBadArguments = 2;  // arguments the program does not know
inline constexpr int kExitNoTransferFile = 3;
inline constexpr int kExitHqUnasked = 4;  // "hq" saved for a reason the user did not choose

enum class TTellAs { warning, error };

// What the run asks of its window. Every call but Dismiss may throw (memory
// running out for a text, say); the run catches it.
class TRunWindow {
 public:
  // Shows `utf8` on the status line at once.
  virtual void ShowStatus(std::string_view utf8) = 0;
  // The confirmed run's progress target: the status line, and the Escape key.
  virtual TJwwProgress& Progress() = 0;
  // Moves the window and selects the flip type as `settings` say.
  virtual void Place(const TSettings& settings) = 0;
  // The window's position and the selected flip type now.
  virtual TSettings Placement() = 0;
  // Shows `utf8` in a message and returns once the user has closed it.
  virtual void Tell(std::string_view utf8, TTellAs as) = 0;
  // Closes the window; the program ends once it has gone.
  virtual void Dismiss() noexcept = 0;

 protected:
  ~TRunWindow() = default;
};

// Where a run finds its files, and what it tells in a message.
struct TRunSetup {
  // The program's folder with its trailing separator, and JWC_TEMP.TXT in
  // it; both empty when the program cannot tell its own folder.
  std::string folder;
  std::string transferFile;
  // The settings file; empty for a run that keeps none (/flip:N).
  std::string settingsFile;
  // A run without a status line tells in a message that there is no
  // transfer file.
  bool windowless = false;
};

class TRunFlow {
 public:
  TRunFlow(TRunWindow& window, TRunSetup setup);
  TRunFlow(const TRunFlow&) = delete;
  TRunFlow& operator=(const TRunFlow&) = delete;

  // The events, in the order a run meets them; each does nothing out of its
  // turn, and none throws: a failure inside ends the run as Fail does.
  //
  // The window is about to be shown (once, first): reads the transfer file
  // and the settings, places the window and shows the count of texts, or why
  // nothing can be done.
  void Open() noexcept;
  // OK while the run waits for the user: saves the settings, runs the
  // confirmed flip with the selected flip type and closes.
  void Confirm() noexcept;
  // Cancel, or any other request to close, while the run waits: closes.
  void RequestClose() noexcept;
  // Something failed: answers "hq" (opening the transfer file first when no
  // event has), tells the user and closes. Nothing more once closing has
  // begun: the answer is then saved already, or being saved.
  void Fail() noexcept;

  // Whether closing has begun: input that comes later reaches no handler.
  bool Closing() const;
  // How the run ended, once it has closed (kExitNotSaved before).
  int ExitCode() const;

 private:
  enum class TState { starting, waiting, processing, closing, closed };

  template <class Step>
  void Guarded(Step step) noexcept;
  void Close();
  void Dismiss() noexcept;
  std::string OpeningStatus() const;
  std::string ClosingMessage() const;

  TRunWindow& window_;
  TRunSetup setup_;
  TState state_ = TState::starting;
  bool opened_ = false;     // the transfer file's opening has run
  bool confirmed_ = false;  // OK's run has run, and outcome_ tells its end
  TRunOutcome outcome_ = TRunOutcome::answered;
  bool failed_ = false;  // something threw, or Fail was called
  bool saved_ = false;   // closing saved the answer, or none was due
};

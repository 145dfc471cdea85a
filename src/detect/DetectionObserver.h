#pragma once

#include <optional>

#include "text/Text.h"

namespace tovrel {

inline constexpr WideView kInstallerDatabase = u"installer database";

// Where a candidate installation came from: a registry value, or the installer database.
struct CandidateOrigin {
  WideText root;        // "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER" or kInstallerDatabase
  WideText key;         // the key, or the product pattern
  WideText value_name;  // the value, or the component
};

// How a lookup decided on one candidate.
enum class CandidateVerdict {
  kLeads,       // the best so far: chosen unless a later candidate scores more
  kLowerScore,  // scored no more than the best so far
  kListed,      // written into the report's list
  kPassedOver,  // not an installation, for the reason given
};

// Told by the product lookups, as they go, what they look at, what they check and what they
// decide, so that a tool can show why an installation was or was not found. The lookups run
// the same with or without one; the library's exports give none.
class DetectionObserver {
 public:
  virtual ~DetectionObserver() = default;

  // A stage of the search: an edition or an Office generation asked, or left unasked.
  virtual void Step(WideView what) = 0;
  // Starts a candidate.
  virtual void Candidate(const CandidateOrigin& origin) = 0;
  // A check made on the current candidate, and what it found.
  virtual void Check(WideView what, WideView found) = 0;
  // Ends the current candidate.
  virtual void Verdict(CandidateVerdict verdict, WideView why) = 0;
};

// The lookups' view of an optional observer: every call does nothing without one, and the
// texts handed to it are made only when there is one.
class DetectionTrace {
 public:
  explicit DetectionTrace(DetectionObserver* observer) : observer_(observer) {}

  explicit operator bool() const { return observer_ != nullptr; }

  template <typename Text>
  void Step(Text&& what) const {
    if (observer_) observer_->Step(what());
  }
  template <typename Origin>
  void Candidate(Origin&& origin) const {
    if (observer_) observer_->Candidate(origin());
  }
  template <typename Found>
  void Check(WideView what, Found&& found) const {
    if (observer_) observer_->Check(what, found());
  }
  template <typename Why>
  void Verdict(CandidateVerdict verdict, Why&& why) const {
    if (observer_) observer_->Verdict(verdict, why());
  }

 private:
  DetectionObserver* observer_;
};

}  // namespace tovrel

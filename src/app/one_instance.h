#pragma once
// The single-instance guard: two named mutexes derived from the application title.
#include <string>

#include "base/win32_handles.h"

namespace wisplet {

class InstanceGuard {
 public:
  InstanceGuard() = default;  // holds nothing until IsFirstInstance
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;
  ~InstanceGuard();  // releases and closes the instance mutex

  // True when this process now holds the instance mutex. An abandoned mutex
  // (its holder died) counts as free.
  bool IsFirstInstance(const std::string& title);

 private:
  KernelHandle instanceMutex_;
  bool owned_ = false;
};

}  // namespace wisplet

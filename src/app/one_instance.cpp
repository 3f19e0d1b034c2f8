#include "app/one_instance.h"

#include "app/app_paths.h"
#include "base/wide_text.h"

namespace wisplet {

bool InstanceGuard::IsFirstInstance(const std::string& title) {
  KernelHandle check(CreateMutexW(nullptr, TRUE, Wide(CheckMutexName(title)).c_str()));
  instanceMutex_.reset(CreateMutexW(nullptr, FALSE, Wide(InstanceMutexName(title)).c_str()));
  DWORD wait = instanceMutex_ ? WaitForSingleObject(instanceMutex_.get(), 0) : WAIT_FAILED;
  if (check) ReleaseMutex(check.get());
  owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  return wait != WAIT_TIMEOUT;
}

InstanceGuard::~InstanceGuard() {
  if (instanceMutex_ && owned_) ReleaseMutex(instanceMutex_.get());
}

}  // namespace wisplet

#include "app/one_instance.h"

#include "app/app_paths.h"

namespace wisplet {

bool InstanceGuard::IsFirstInstance(const std::string& title) {
  KernelHandle check(CreateMutexA(nullptr, TRUE, CheckMutexName(title).c_str()));
  instanceMutex_.reset(CreateMutexA(nullptr, FALSE, InstanceMutexName(title).c_str()));
  DWORD wait = instanceMutex_ ? WaitForSingleObject(instanceMutex_.get(), 0) : WAIT_FAILED;
  if (check) ReleaseMutex(check.get());
  owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  return wait != WAIT_TIMEOUT;
}

InstanceGuard::~InstanceGuard() {
  if (instanceMutex_ && owned_) ReleaseMutex(instanceMutex_.get());
}

}  // namespace wisplet

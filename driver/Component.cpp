#include "Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) {
    owner_->owned_.push_back(this);
    designing_ = owner_->designing_;
  }
}

TComponent::~TComponent() {
  // Destroy the owned components newest first; each one unlinks itself as it goes.
  while (!owned_.empty()) {
    TComponent* child = owned_.back();
    child->owner_ = nullptr;
    owned_.pop_back();
    delete child;
  }
  if (owner_ != nullptr) owner_->Remove(this);
}

void TComponent::Remove(TComponent* child) {
  owned_.erase(std::remove(owned_.begin(), owned_.end(), child), owned_.end());
}

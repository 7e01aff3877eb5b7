#include "ui/uComponent.h"

#include <algorithm>

namespace velmora::ui {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  while (!owned_.empty()) {
    TComponent* child = owned_.back();
    owned_.pop_back();
    child->owner_ = nullptr;
    delete child;
  }
  if (owner_) owner_->Remove(this);
}

void TComponent::Insert(TComponent* child) {
  owned_.push_back(child);
}

void TComponent::Remove(TComponent* child) noexcept {
  auto it = std::find(owned_.begin(), owned_.end(), child);
  if (it != owned_.end()) owned_.erase(it);
}

}  // namespace velmora::ui

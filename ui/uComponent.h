// Component ownership: an owner destroys the components it owns, newest first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::ui {

class TComponent {
 public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const noexcept { return owner_; }
  const std::vector<TComponent*>& Components() const noexcept { return owned_; }
  bool Destroying() const noexcept { return destroying_; }

  std::string Name;
  std::intptr_t Tag = 0;

 private:
  void Insert(TComponent* child);
  void Remove(TComponent* child) noexcept;

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> owned_;
  bool destroying_ = false;
};

}  // namespace velmora::ui

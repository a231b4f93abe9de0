// The smallest part of a component model the driver needs: an owner that destroys what it
// owns, and a design state in which a component must not touch the system.
#pragma once

#include <vector>

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();

  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }

  // True while the component is being edited in a designer; it then makes no windows and
  // opens no devices. A component takes the state of its owner when it is made.
  bool IsDesigning() const { return designing_; }
  void SetDesigning(bool designing) { designing_ = designing; }

 private:
  void Remove(TComponent* child);

  TComponent* owner_;
  std::vector<TComponent*> owned_;
  bool designing_ = false;
};

// TComponent: named, owned objects with a component state and a loading protocol.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/gfx/Persistent.h"

namespace host {

// Component state set: a small bit-flag type.
enum TComponentStateFlag : uint16_t {
  csLoading = 1 << 0,
  csReading = 1 << 1,
  csWriting = 1 << 2,
  csDestroying = 1 << 3,
  csDesigning = 1 << 4,
  csAncestor = 1 << 5,
  csUpdating = 1 << 6,
  csFixups = 1 << 7,
};
using TComponentState = uint16_t;

// Raised for a component-level misuse: a duplicate or invalid name.
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// A component created with an owner is destroyed by that owner (children first,
// in reverse order of creation). Deleting a component removes it from its owner.
class TComponent : public TPersistent {
 public:
  // A component takes csDesigning from its owner here, so the constructors of
  // derived classes already see it.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& n);
  TComponentState ComponentState() const { return FComponentState; }
  int ComponentCount() const { return int(FComponents.size()); }
  TComponent* Components(int i) const;  // nullptr when out of range
  TComponent* FindComponent(const std::string& name) const;
  int Tag() const { return FTag; }
  void SetTag(int t) { FTag = t; }

  // Marks the component (and what it owns) as being designed: timers stay off.
  void SetDesigning(bool on);
  // Loading protocol: BeginLoading sets csLoading; EndLoading clears it and calls
  // Loaded. A streaming reader sets the properties in between.
  void BeginLoading();
  void EndLoading();

  std::string ClassName() const override { return "TComponent"; }

 protected:
  // Runs once the properties of a loaded component are all set.
  virtual void Loaded();
  void SetComponentStateFlag(TComponentStateFlag f, bool on);
  // Hook for a component that must hear when an owned component goes away.
  virtual void Notification(TComponent* AComponent, bool removing) {}

 private:
  TComponent* FOwner = nullptr;
  std::string FName;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  int FTag = 0;
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
};

}  // namespace host

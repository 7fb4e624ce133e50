#include "host/ui/Component.h"

#include <algorithm>

namespace host {

namespace {

// A component name must be a valid identifier (or empty), as the streaming
// format and FindComponent rely on it.
bool IsValidIdent(const std::string& s) {
  if (s.empty()) return true;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(s[0])) return false;
  return std::all_of(s.begin() + 1, s.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (!AOwner) return;
  // A component placed on a form being designed is designed too, and knows it
  // before its own constructor runs: that is where controls decide whether to
  // start their timers.
  if (AOwner->FComponentState & csDesigning) FComponentState |= csDesigning;
  AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState |= csDestroying;
  // Owned components go first, the most recently created one first, so a later
  // component that refers to an earlier one never sees it destroyed before itself.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;
    Notification(c, true);
    delete c;
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int i) const {
  if (i < 0 || i >= ComponentCount()) return nullptr;
  return FComponents[size_t(i)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& n) {
  if (n == FName) return;
  if (!IsValidIdent(n)) throw EComponentError("'" + n + "' is not a valid component name");
  if (FOwner && !SameText(n, FName)) {
    if (FOwner->FindComponent(n))
      throw EComponentError("A component named " + n + " already exists");
  }
  FName = n;
}

void TComponent::SetDesigning(bool on) {
  SetComponentStateFlag(csDesigning, on);
  for (TComponent* c : FComponents) c->SetDesigning(on);
}

void TComponent::BeginLoading() { SetComponentStateFlag(csLoading, true); }

void TComponent::EndLoading() {
  if (!(FComponentState & csLoading)) return;
  SetComponentStateFlag(csLoading, false);
  Loaded();
}

void TComponent::Loaded() {}

void TComponent::SetComponentStateFlag(TComponentStateFlag f, bool on) {
  if (on)
    FComponentState |= f;
  else
    FComponentState &= TComponentState(~f);
}

void TComponent::InsertComponent(TComponent* c) {
  if (!c->FName.empty() && FindComponent(c->FName))
    throw EComponentError("A component named " + c->FName + " already exists");
  FComponents.push_back(c);
  c->FOwner = this;
  Notification(c, false);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  c->FOwner = nullptr;
  if (!(FComponentState & csDestroying)) Notification(c, true);
}

}  // namespace host

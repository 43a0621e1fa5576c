// The component base: an owner that frees what it owns, a name, the loading state while a
// window description is read, and Loaded once reading is done.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TObject {
 public:
  virtual ~TObject() = default;
};

// An event: the handler is called with the component that raised it. An unassigned
// (empty) event is simply not called.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
 public:
  // A component with an owner is freed by it; it must therefore live on the heap.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
  TComponent* FindComponent(const std::string& name) const;

  bool Loading() const { return loading_; }
  // The description reader brackets its work with these; Loaded runs after the last.
  void BeginLoading() { loading_ = true; }
  void EndLoading();

 protected:
  // Called once the component's stored properties have all been assigned.
  virtual void Loaded() {}

 private:
  void Insert(TComponent* c) { components_.push_back(c); }
  void Remove(TComponent* c);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  bool loading_ = false;
};

// Makes the framework's control classes known to the window-description reader.
#pragma once

#include <string>

#include "framework/Properties.h"

// Registers every control class of the framework; safe to call more than once.
void RegisterFrameworkClasses();

// Registers one class made by `new T(owner)` with its property table.
template <class T>
void RegisterClass(const std::string& name) {
  TClassRegistry::Instance().Register(
      name, [](TComponent* owner) -> TComponent* { return new T(owner); }, &T::Properties());
}

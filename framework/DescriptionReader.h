// Reads a window description (the text kept in resources/forms) into a root component:
//
//   object Form1: TForm1
//     Caption = 'CDデッキ'
//     object List1: TListBox
//       Items.Strings = (
//         'one'
//         'two')
//     end
//   end
//
// The outer block describes the root itself, which already exists; every nested block makes
// a component of the named class, owned by the root. Properties are assigned in file order
// through the class's property table, so each one goes through its setter as code would do.
#pragma once

#include <string>

#include "framework/Component.h"

class TDescriptionReader {
 public:
  // Raises EReadError naming sourceName and the line for anything it cannot read. After a
  // failure the components it made are freed again and the root is left half-read (still
  // loading, Loaded not called): the caller is expected to give up on it.
  static void Read(TComponent* root, const std::string& text, const std::string& sourceName);
};

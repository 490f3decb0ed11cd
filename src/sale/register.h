#pragma once
namespace sale {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace sale

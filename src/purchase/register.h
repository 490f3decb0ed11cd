#pragma once
namespace purchase {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace purchase

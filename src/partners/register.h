#pragma once
namespace partners {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace partners

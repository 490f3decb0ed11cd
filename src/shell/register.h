#pragma once
namespace shell {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace shell

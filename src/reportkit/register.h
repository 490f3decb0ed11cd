#pragma once
namespace reportkit {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace reportkit

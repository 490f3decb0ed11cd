#pragma once
namespace print {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace print

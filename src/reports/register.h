#pragma once
namespace reports {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace reports

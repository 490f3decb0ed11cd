#pragma once
namespace stock {
// Adds this folder's windows to the form registry.
void registerForms();
}  // namespace stock

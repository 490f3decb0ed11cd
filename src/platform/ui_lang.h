#pragma once
// The two languages of the captions.

namespace plat::ui {

enum class Lang { English, Thai };

}  // namespace plat::ui

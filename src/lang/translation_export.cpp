#include "lang/translation_export.h"

#include <memory>

#include "lang/form_translation.h"
#include "lang/lang.h"
#include "toolkit/component.h"

namespace kb {

void SAVE_TRANSLATION_FROM_FORM(const LangPlatform& platform, const std::u16string& folder,
                                const std::u16string& key, Component& form,
                                std::u16string_view version) {
  const std::u16string file = folder + u"\\" + key + u".nlang3";
  const std::u16string index = folder + u"\\index.txt";
  GlobalLang = std::make_unique<TLang>(platform);
  struct Dropped {
    ~Dropped() { GlobalLang.reset(); }
  } dropped;
  GlobalLang->Load_Translation(file, index);
  GlobalLang->Get_Components(form.Name(), form, version);
  GlobalLang->Save_Translation(file, index);
}

}  // namespace kb

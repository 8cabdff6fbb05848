#include "webhost/FrameRegistration.h"

namespace webhost {

void TFrameRegistration::Register(const VARIANT& doc, const VARIANT& invokeMethod,
                                  const VARIANT& invokeParas) {
    const std::pair<base::Variant*, const VARIANT*> copies[] = {
        {&Doc, &doc}, {&InvokeMethod, &invokeMethod}, {&InvokeParas, &invokeParas}};
    for (const auto& [field, value] : copies) {
        if (FAILED(VariantCopy(field->Put(), const_cast<VARIANT*>(value)))) {
            return;
        }
    }
}

void TFrameRegistration::Clear() {
    Doc.Put();
    InvokeMethod.Put();
    InvokeParas.Put();
}

TFrameRegistration& FrameRegistration() {
    static TFrameRegistration* const registration = new TFrameRegistration();
    return *registration;
}

}  // namespace webhost

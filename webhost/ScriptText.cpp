#include "webhost/ScriptText.h"

#include <algorithm>

namespace webhost {

std::string CallScript(std::string_view function, std::string_view arguments) {
    std::string script;
    script.reserve(function.size() + arguments.size() + 5);
    script.append("(").append(function).append(")(").append(arguments).append(");");
    return script;
}

std::string RemoveBrackets(std::string_view text) {
    std::string cleaned(text);
    std::erase(cleaned, '[');
    std::erase(cleaned, ']');
    return cleaned;
}

std::string PanelHandlerScript(std::string_view text) {
    return CallScript("Api.ExecPanelHandler", RemoveBrackets(text));
}

}  // namespace webhost

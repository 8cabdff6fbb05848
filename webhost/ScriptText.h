// The script texts the shell runs in the page. Platform-independent; texts are ANSI bytes in the
// system code page, as the values they are built from.
#pragma once

#include <string>
#include <string_view>

namespace webhost {

// "(%s)(%s);": calls the function expression with the argument list.
std::string CallScript(std::string_view function, std::string_view arguments);

// The registered frame method called with the registered argument text.
inline std::string FrameMethodScript(std::string_view invokeMethod, std::string_view invokeParas) {
    return CallScript(invokeMethod, invokeParas);
}

// Removes every "[" and then every "]", wherever they stand (also inside quoted strings), so that a
// bracketed list becomes an argument list.
std::string RemoveBrackets(std::string_view text);

// The page's panel handler called with the text's list as its arguments:
// "(Api.ExecPanelHandler)(<text without brackets>);".
std::string PanelHandlerScript(std::string_view text);

}  // namespace webhost

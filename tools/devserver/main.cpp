// The dev server as a program: serves one ready-made or file script to each client that connects.
//
//   devserver [--script NAME | --file PATH] [--address 127.0.0.x] [--port N] [--once] [--list]

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "DevServer.h"
#include "ReadyScripts.h"
#include "ScriptText.h"

namespace {

void Usage()
{
    std::cerr << "usage: devserver [--script NAME | --file PATH] [--address 127.0.0.x] [--port N] [--once] [--list]\n"
                 "  --script NAME  a ready-made script (default: login; --list shows them)\n"
                 "  --file PATH    a script in the text format of tools/devserver/README.md\n"
                 "  --address A    a loopback address to listen on (default 127.0.0.1)\n"
                 "  --port N       the port (default 10912; 0 picks a free one)\n"
                 "  --once         serve one connection, then exit with 0 when the script passed\n";
}

std::optional<devserver::Script> LoadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "devserver: cannot read " << path << "\n";
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string error;
    auto script = devserver::ParseScript(text.str(), error);
    if (!script)
        std::cerr << "devserver: " << path << ": " << error << "\n";
    else if (script->name.empty())
        script->name = path;
    return script;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string scriptName = "login";
    std::string file;
    std::string address = "127.0.0.1";
    long port = devserver::kDefaultPort;
    bool once = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--script" && hasValue) {
            scriptName = argv[++i];
        } else if (arg == "--file" && hasValue) {
            file = argv[++i];
        } else if (arg == "--address" && hasValue) {
            address = argv[++i];
        } else if (arg == "--port" && hasValue) {
            char* end = nullptr;
            port = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || port < 0 || port > 65535) {
                std::cerr << "devserver: bad port " << argv[i] << "\n";
                return 2;
            }
        } else if (arg == "--once") {
            once = true;
        } else if (arg == "--list") {
            for (const std::string& name : devserver::ReadyScriptNames())
                std::cout << name << "\n";
            return 0;
        } else {
            Usage();
            return 2;
        }
    }

    std::optional<devserver::Script> script =
        file.empty() ? devserver::ReadyScript(scriptName) : LoadFile(file);
    if (!script) {
        if (file.empty())
            std::cerr << "devserver: no script named '" << scriptName << "' (see --list)\n";
        return 2;
    }

    try {
        devserver::DevServer server(address, static_cast<uint16_t>(port));
        server.SetLog([](const std::string& line) { std::cout << line << std::endl; });
        std::cout << "listening on " << server.Address() << ":" << server.Port() << " (script " << script->name
                  << ")" << std::endl;
        for (;;) {
            const devserver::Outcome outcome = server.Run(*script);
            if (once)
                return outcome.ok ? 0 : 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "devserver: " << e.what() << "\n";
        return 2;
    }
}

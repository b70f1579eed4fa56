// The dev server as a program: serves one ready-made or file script to each client that connects,
// or, in play mode, answers like a small real server on several loopback addresses.
//
//   devserver [--script NAME | --file PATH] [--address 127.0.0.x] [--port N] [--once] [--list]
//   devserver --play [--address 127.0.0.x]... [--port N] [--hold-select MS]

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>

#include "DevServer.h"
#include "PlayServer.h"
#include "ReadyScripts.h"
#include "ScriptText.h"

namespace {

void Usage()
{
    std::cerr
        << "usage: devserver [--script NAME | --file PATH] [--address 127.0.0.x] [--port N] "
           "[--once] [--list]\n"
           "       devserver --play [--address 127.0.0.x]... [--port N] [--hold-select MS]\n"
           "  --play         answer like a small server (any ID and password) until stopped;\n"
           "                 on 127.0.0.1 .. 127.0.0.5 unless addresses are given\n"
           "  --hold-select MS  in play mode, hold each machine selection's answer this long\n"
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

// A whole decimal number from 0 to max; false, after saying what was bad, otherwise.
bool ParseNumber(const char* text, long max, const char* what, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > max) {
        std::cerr << "devserver: bad " << what << " " << text << "\n";
        return false;
    }
    return true;
}

// Serves until SIGINT or SIGTERM.
int RunPlay(std::vector<std::string> addresses, uint16_t port, uint32_t holdSelectMs)
{
    if (addresses.empty())
        addresses = {"127.0.0.1", "127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5"};
    try {
        devserver::PlayAnswers answers = devserver::DefaultPlayAnswers();
        if (holdSelectMs > 0)
            devserver::HoldMachineSelect(answers, holdSelectMs);
        devserver::PlayServer server(addresses, port, std::move(answers));
        server.SetLog([](const std::string& line) { std::cout << line << std::endl; });
        std::cout << "play mode on";
        for (const std::string& a : addresses)
            std::cout << " " << a;
        std::cout << " port " << server.Port() << std::endl;
        server.Start();
        boost::asio::io_context io;
        boost::asio::signal_set signals(io, SIGINT, SIGTERM);
        signals.async_wait([](const boost::system::error_code&, int) {});
        io.run();
        server.Stop();
        std::cout << "stopped" << std::endl;
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "devserver: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::string scriptName = "login";
    std::string file;
    std::string address = "127.0.0.1";
    long port = devserver::kDefaultPort;
    bool once = false;
    bool play = false;
    long holdSelectMs = 0;
    std::vector<std::string> playAddresses;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--script" && hasValue) {
            scriptName = argv[++i];
        } else if (arg == "--file" && hasValue) {
            file = argv[++i];
        } else if (arg == "--address" && hasValue) {
            address = argv[++i];
            playAddresses.push_back(address);
        } else if (arg == "--play") {
            play = true;
        } else if (arg == "--port" && hasValue) {
            if (!ParseNumber(argv[++i], 65535, "port", port))
                return 2;
        } else if (arg == "--hold-select" && hasValue) {
            if (!ParseNumber(argv[++i], 600000, "hold time", holdSelectMs))
                return 2;
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

    if (play)
        return RunPlay(playAddresses, static_cast<uint16_t>(port),
                       static_cast<uint32_t>(holdSelectMs));

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
        std::cout << "listening on " << server.Address() << ":" << server.Port() << " (script "
                  << script->name << ")" << std::endl;
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

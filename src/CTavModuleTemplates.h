#pragma once

class CTavApp;

// Registers every module window with the application, in the order start-up creates them.
class CTavModuleTemplates final
{
public:
    static void RegisterAll(CTavApp& app);
};

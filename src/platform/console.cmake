# Filled in as the console platform lands (target mc_platform_console).

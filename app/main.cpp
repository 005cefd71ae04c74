// placeholder until the application object lands

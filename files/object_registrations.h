#pragma once

// Registers every class of the program under its names: the drawing's own
// (RegisterDatabaseObjects) and every entity kind. Called once at start-up
// (and by tests); calling it again changes nothing.
void RegisterObjectFactories();

// A satellite library holds only string resources; the runtime's entry point is all the code it has.

#include "pages/HelpTexts.h"

namespace korvell {
namespace {

constexpr std::string_view kGettingStartedText =
    R"(This program consists of three primary functions, Automatic Design, Analysis, and References.

AUTOMATIC DESIGNS

The program designs six kinds of power filter inductor.  Choose one from the AUTOMATIC DESIGN FUNCTIONS column of the main window or from the AUTOMATIC DESIGNS menu:

	DC BIASED - the output filter inductor of a switch-mode converter, carrying a DC current with a small ripple.
	CONTROLLED SWING - a DC biased inductor whose inductance at the minimum current may rise, but not above the value you give.
	WIDE SWING - a DC biased inductor that must reach a high inductance at the minimum current; wound on composite cores.
	PFC BOOST - the boost inductor of a power factor correction stage.
	60 HZ - a powerline frequency inductor carrying an AC current.
	RESONANT - the inductor of a resonant converter.

The requirements window opens with the fields that the design needs.  Type a value into the first field and press Enter to move to the next one.  The first key you type in a field replaces the value shown; pressing Enter without typing keeps it.  The Up and Down arrows also move between the fields.  Choose the core shape (TOROID, E-CORE or COMPOSITE) and the winding type (FULL WINDOW or SINGLE LAYER) from the two lists.  When every value is in, press Enter twice in a row, or press OK.

The program checks the values, then walks the Korvell catalog of the chosen shape from the smallest core upward.  For every core of a selected material it finds the turns that give the required inductance at the full current, chooses the wire, and computes resistance, losses and temperature rise.  Each core that meets every limit becomes a design.  The search stops after forty designs or at the end of the catalog, and the designs appear in the results table, smallest core first.

ANALYSIS

Press ANALYSIS to examine one inductor in detail.  The analysis window opens with the design highlighted in the results table: its core part number, number of cores in the stack, wire, strands and turns, and the currents, voltages and frequency of your requirements.  Change any of them and press OK (or Enter twice) to see the inductance, flux densities, resistances, losses, temperature rise, aging life and mechanical data of that inductor.  You may also type in a design of your own from a Korvell part number.

REFERENCE DATA

MATERIALS DATA shows graphs of the magnetic properties of the Korvell iron powder materials: permeability against DC bias, against AC flux density and against frequency, and core loss at 1 kHz and 100 kHz.  MATERIAL SELECTION chooses the materials that the automatic design may use.  KORVELL CATALOG on the REFERENCES menu lists the cores of each shape with their magnetic and mechanical data; choose one and press ANALYZE to analyze an inductor wound on it.  WIRE TABLES lists every wire size of the chosen gage standard.

MORE

HELP on the menu bar lists the help topics.  PARAMS sets the design limits (temperature rise, copper area, window fill, minimum permeability and others), the units of measure and the wire gage standard.  CALCULATE runs the last design again after you have changed the materials or the parameters.

Nothing is saved by itself: every value starts from its default at the next start.  FILES > SAVE AS keeps your requirements, parameters, materials and the designs of the last search in a design file, which FILES > OPEN reads back; SAVE AS can also write the last search as a CSV table for a spreadsheet.

Everything works from the keyboard too: Tab moves from control to control, Enter or Space presses the button that has the focus, Alt and the underlined letter of a caption runs it, and Esc closes a window.
)";

constexpr std::string_view kHelpTopicsText =
    R"(HELP TOPICS

	PROGRAM DESCRIPTION
	GETTING STARTED
	MENUS AND BUTTONS
	DESIGNS AVAILABLE
	ENTERING DESIGN REQUIREMENTS
	CHANGING DESIGN CONSTANTS AND CONSTRAINTS
	SELECTING CORES AND MATERIALS
	DATA DISPLAYS
	OPTIONS
	THE ANALYSIS FUNCTION
	DEFINITIONS
	DC RESISTANCE
	COPPER AND CORE LOSSES
	TEMPERATURE RISE
	UNITS OF MEASURE
	PROGRAM ADD-ONS, OTHER CATALOGS, AND OPTIONAL FEATURES


PROGRAM DESCRIPTION

Korvell Inductors designs and analyzes inductors for power filter applications, wound on Korvell iron powder toroids, E-cores and composite toroids.  It has three primary functions.  The automatic design searches the Korvell catalog for cores that meet your requirements and lists up to forty designs.  The analysis computes the electrical and mechanical properties of one inductor that you describe.  The references show the properties of the Korvell materials as graphs.  The catalog, the material data and the wire tables are built into the program; design files keep your work between sessions.


GETTING STARTED

Choose an application from the AUTOMATIC DESIGN FUNCTIONS column, type the requirements into the requirements window and press Enter twice.  The results table then shows the designs that meet them.  Move the red cursor lines to a design with the arrow keys and press ANALYSIS to see that design in detail.  The GETTING STARTED button of the main window gives a longer guide.


MENUS AND BUTTONS

The main window has a menu bar, a row of tool buttons and three columns of command buttons.

	FILES - NEW, OPEN, CLOSE and SAVE AS of design files (see PROGRAM ADD-ONS, OTHER CATALOGS, AND OPTIONAL FEATURES).
	REFERENCES - KORVELL CATALOG opens the catalog window, MATERIALS DATA the list of material graphs, WIRE TABLES the wire table window.  SALES OFFICES holds no list in this version.
	AUTOMATIC DESIGNS - the six design types.
	CORES - TOROID, E-CORE or COMPOSITE chooses the core shape and opens the requirements window; MATERIAL SELECTION opens the material selector; MATERIALS PROPERTIES lists the material graphs.
	DATA DISPLAY - ELECTRICAL and DIMENSIONAL open the results table; % PERM vs DC BIAS, % PERM vs AC FLUX, INDUCTANCE vs CURRENT, LOSS vs AGE and TEMPERATURE vs AGE draw graphs of the highlighted design.
	PARAMS - the design parameters, units and wire gage standard.
	HELP - these help topics.

The tool buttons: ANALYSIS opens the analysis window with the highlighted design; DESIGN opens the requirements window; MATERIAL opens the material selector; DATA TABLE opens the results table; CALCULATE runs the design search again with the current requirements, materials and parameters (when the requirements are not complete it opens the requirements window instead).

The command buttons of the main window do the same: the six design types, ANALYSIS and GETTING STARTED, MATERIALS DATA, MATERIAL SELECTION and WIRE TABLES.  Hold the mouse over a button to see what it does.

From the keyboard, Tab moves from control to control in every window and Enter or Space presses the button that has the focus.  Alt and the underlined letter runs a button or opens a menu: Alt+N ANALYSIS, Alt+D DESIGN, Alt+M MATERIAL, Alt+B DATA TABLE, Alt+C CALCULATE; Alt+F FILES, Alt+R REFERENCES, Alt+A AUTOMATIC DESIGNS, Alt+E CORES, Alt+T DATA DISPLAY, Alt+P PARAMS, Alt+H HELP.  Esc closes any window but the main window.


DESIGNS AVAILABLE

DC BIASED OUTPUT FILTER INDUCTOR.  The inductance is required at the maximum current (the DC current plus half the ripple).  The ON and OFF voltages of the switching converter set the AC flux in the core and so the core loss.

CONTROLLED INDUCTANCE SWING INDUCTOR.  A second inductance is given at a minimum current; with the same turns the inductance at the minimum current must not exceed it.

WIDE INDUCTANCE SWING INDUCTOR.  The inductance at the minimum current must be reached; the design uses composite cores, whose permeability falls steeply with DC bias.  The core shape is set to COMPOSITE while this application is chosen and comes back when you choose another.

POWER FACTOR BOOST INDUCTOR.  The peak regulator input voltage and the DC output voltage set the flux; the core loss is averaged over the line cycle.

POWERLINE FREQUENCY INDUCTOR.  The currents are AC amperes RMS and the frequency is the line frequency in hertz.  An inductance may also be given at a minimum current.

RESONANT CONVERTER INDUCTOR.  The peak current and peak voltage give the frequency at which the inductance resonates; it is shown in the frequency field when you leave a field.  Only the low permeability materials -11, -13, -16 and -17 are used, the winding starts as a single layer, and wires thicker than three skin depths are replaced by several thinner strands.


ENTERING DESIGN REQUIREMENTS

The requirements window shows the fields of the chosen application: inductance at the maximum current, maximum DC resistance (0 for no limit), maximum or peak current, inductance and current at the minimum current (swing and powerline designs), the two voltages, the frequency, the ambient temperature, the number of cores in a stack and the number of wire strands.  Click the red application name to change to the next application.

Type a value and press Enter: the focus moves to the next field.  The first key typed into a field replaces its value; pressing Enter without typing keeps the last value.  The Up and Down arrows move to the previous and next field.  Only digits, a point and blanks are taken (a minus sign in the temperature); a wrong character disappears with the next key.  The ripple current is shown below the fields as you go.

Press Enter twice in a row, or OK, to start the design.  The values are checked first; a value the program cannot use is reported in a message and nothing is designed.  CANCEL puts back the values last accepted.  CORE MATERIAL opens the material selector.  Each application keeps its own values for the rest of the session.


CHANGING DESIGN CONSTANTS AND CONSTRAINTS

PARAMS opens the design parameters of the current application:

	MAXIMUM TEMPERATURE RISE - designs hotter than this are rejected (0 to 200 degrees C).
	MINIMUM COPPER AREA - circular mils of copper per ampere (10 to 9999); with the metric wire standard it is entered as the MAXIMUM CURRENT DENSITY in amperes per square cm.
	MAXIMUM WINDOW FILL FACTOR - percent of the window the copper may fill.
	MINIMUM % PERM UNDER DC BIAS - cores whose permeability falls below this at full current are rejected.
	WIRE RESISTIVITY ADJUST FACTOR - for wires of other resistivity.
	TEMPERATURE RISE FACTOR and TEMP RISE CHARACTERISTIC EXPONENT - the constants of the temperature rise equation.
	LEAD LENGTH ALLOWANCE - inches of wire added for each lead.
	AMBIENT TEMPERATURE - degrees C.

Below them choose the MEASUREMENT UNITS and the WIRE GAGE STANDARD (metric wire by diameter in mm, American AWG or British SWG).  OK checks each value against its limits and stores it; the next design uses the new values.  Press CALCULATE to design again at once.


SELECTING CORES AND MATERIALS

The core shape is chosen in the requirements window or from the CORES menu: TOROID, E-CORE or COMPOSITE toroid.  The winding may fill the window (FULL WINDOW) or lie in one layer (SINGLE LAYER).

KORVELL CATALOG on the REFERENCES menu lists every core of the shape chosen in its SHAPE list: its permeability, Al value, magnetic cross section and path length, winding window, mean length of a turn and dimensions, the dimensions in the units chosen in PARAMS.  MATERIAL narrows the list to the cores of one material.  A click on a column heading sorts the list by that column, a second click reverses it; part numbers sort smallest core first, as the automatic design walks the catalog.  Choose a core and press ANALYZE, Enter, or double-click it: the analysis window opens with that core, one in the stack.

MATERIAL SELECTION opens the list of the fourteen Korvell iron powder materials, each with a short description.  Check the materials the design may use.  SELECT ALL checks them all; INVERT SELECTION checks those that are not checked and clears those that are.  The selection is taken when you press OK or go to another window of the program.  With no material checked the design finds no iron powder core.


DATA DISPLAYS

The results table lists the designs in catalog order, smallest core first, ten at a time.  Above it stand the application and the requirements the designs were made for.  Two red cursor lines bracket the highlighted design; the Up and Down arrow keys or the scroll bar move it one design, Page Up and Page Down twenty.

DISPLAY ELECTRICAL shows core part number, price, Al value, turns, wire, window fill, DC and AC resistance, AC flux density, percent permeability, core and copper loss and temperature rise.  DISPLAY DIMENSIONS shows the same designs with the core dimensions, the magnetic cross section and path length, turns, wire and the wound dimensions.  Both tables follow the same cursor.  PRINT prints the table as shown on one page.  INDUCTANCE draws the inductance of the highlighted design against current, T RISE its core temperature against time.

The graph window shows the material graphs and the graphs of one design; PRINT GRAPH prints the graph.

WIRE TABLES, on the REFERENCES menu or the button of the main window, lists every size of the wire gage standard chosen in PARAMS with its copper area, bare and insulated diameters, resistance at 20 degrees C and weight, in the units chosen there.

FILES > SAVE AS can write the designs of the last search as a CSV table instead of a design file: the columns of the ELECTRICAL and the DIMENSIONS displays side by side, in the units of the displays, for a spreadsheet.


OPTIONS

The OPTIONS menu holds no commands in this version.  The choices that shape a design are made in the requirements window (core shape, winding type, stacked cores, wire strands), in the material selector and in the design parameters (limits, units, wire gage standard).


THE ANALYSIS FUNCTION

ANALYSIS opens the analysis window with the design highlighted in the results table and the currents, voltages and frequency of your requirements.  Its fields are:

	CORE PART NUMBER - a Korvell part number such as T106-21 or E100-26 (letters are made capitals as you type).  Beside it, X and the NUMBER IN STACK.
	WIRE GAGE / STRANDS - the wire as #18 or 18; AWG 00, 000 and 0000 are typed as 00, 000 and 0000; with the metric standard the diameter in mm.  Beside it, X and the number of strands.
	NUMBER OF TURNS.
	The current (DC bias current, AC current RMS or peak current), the voltages of the application, the frequency and the ambient temperature.

Press OK, or Enter twice, to analyze.  ELECTRICAL shows the inductance, resistances, ripple current, DC bias, AC flux density, percent permeability, Al value, losses, build, surface area, temperature rise and the aging times.  MECHANICAL shows the core dimensions, weight and volume, the magnetic cross section and path length, the wire diameter, length and weight, window fill and the wound dimensions.  LOSS analyzes again; PRINT analyzes and prints the entries with both pages and the second opinion on one sheet.  DC PERM, AC PERM, INDUCTANCE and T RISE draw graphs of the analyzed design.  A core whose aging is negligible shows NEGLIGIBLE for the time to 115 % loss and the life limit.

CHECK shows a second opinion on the copper loss and temperature rise beside the program's own figures (PROGRAM).  The program takes the winding's DC resistance at the ambient temperature and gives the switching ripple of a DC biased, swing or PFC inductor no copper loss.  The second opinion takes the copper at the winding's own temperature (ambient plus rise), splits the ripple triangle into its first 25 harmonics and charges each at Dowell's AC resistance factor of the layered winding (1966; round wire taken as a foil of the same area, the layers counted round the core's inside or across the bobbin), then finds the rise again by the same rule until it settles within 0.05 degrees C.  A PFC inductor's ripple is averaged over the half line cycle; a resonant inductor's current is charged at the larger of Dowell's and the program's AC factor; a 60 Hz inductor has only the hot resistance.  THERMAL RUNAWAY means the rise did not settle in 50 steps or passed 250 degrees C.  The second opinion never changes a design or the program's figures, and it is never lower than they are.  On the command line, korvell analyze --check and korvell design --check give the same figures.

The analysis does not change your requirements: when you close the analysis window the currents, voltages and frequency, the stacked cores and strands go back to what they were.


DEFINITIONS

	Al VALUE - inductance of one turn on the core, in nH per turn squared; the inductance is Al times turns squared times the percent permeability.
	PERCENT PERM - the permeability left at the operating point, in percent of the initial permeability.
	DC BIAS - the magnetizing force of the DC current, in oersteds.
	AC FLUX DENSITY - the peak AC flux density in the core, in gauss.
	RIPPLE CURRENT - the peak to peak current of the switching frequency.
	BUILD - the thickness of the winding.
	WINDOW FILL - the copper area of the winding in percent of the core window.
	WOUND OD, WOUND HEIGHT - the size of the finished inductor.
	SURFACE AREA - the outer surface of the wound inductor, which gives off its heat.
	TIME TO 115 % LOSS - hours until the core loss has risen to 115 percent of its first value through thermal aging.
	LIFE LIMIT - hours until the aging runs away: the extra loss heats the core so much that the heat speeds the aging on without limit.


DC RESISTANCE

The wire length is the turns times the mean length of one turn, plus the lead length allowance for both leads.  The DC resistance is that length times the resistance per foot of the wire, divided by the number of strands, and corrected to the ambient temperature.  The resonant design also computes the AC resistance of the winding at its frequency, which skin and proximity effects make larger; in the other designs the AC resistance equals the DC resistance.


COPPER AND CORE LOSSES

Copper loss is the current squared times the winding resistance: the maximum current for DC biased and swing designs, half its square for power factor boost designs, the larger RMS current for powerline designs, and half the peak current squared with the AC resistance for resonant designs.

Core loss comes from the loss curves of the material at the AC flux density and frequency, times the core volume.  The AC flux density follows from the average voltage across the winding, the turns, the magnetic cross section and the frequency; for powerline designs from the AC current.  Losses are shown in watts.


TEMPERATURE RISE

The temperature rise is the TEMPERATURE RISE FACTOR times the total loss in milliwatts per square cm of surface area, raised to the TEMP RISE CHARACTERISTIC EXPONENT (0.833 unless changed).  A design whose rise exceeds the MAXIMUM TEMPERATURE RISE is rejected.  The analysis also gives the thermal aging of the core at that temperature; the -37 and -39 materials exhibit negligible aging.


UNITS OF MEASURE

Current in amperes, inductance in microhenries (uH), resistance in ohms, voltage in volts, power in watts.  Suffixes: m for milli (a resistance shown as 12.50m is 12.5 milliohms), k for kilo (k HERTZ), u for micro.  Flux density in gauss, DC bias in oersteds.  Magnetic dimensions in centimetres and square centimetres, core volume in cubic centimetres.  Temperature in degrees Celsius.  Core and wound dimensions in inches, feet and pounds (ENGLISH), or millimetres, metres and grams (METRIC), as chosen in PARAMS.


PROGRAM ADD-ONS, OTHER CATALOGS, AND OPTIONAL FEATURES

This version holds the Korvell catalogs of iron powder toroids, E-cores and composite toroids, the Korvell material data and the metric, AWG and SWG wire tables, each with its own window (KORVELL CATALOG and WIRE TABLES).  The sales office list is not part of this version.

DESIGN FILES.  FILES > SAVE AS writes a design file (*.korvell.json): the requirements of every application, the design parameters, the core shape, winding type, materials, units and wire gage standard, and the designs of the last search with the requirements they were made for.  FILES > OPEN reads one back; a file is taken only when all of it is valid, otherwise a message names the field and the value it cannot take, and nothing changes.  FILES > NEW puts every setting back to its start-up value (asking first when they differ), and FILES > CLOSE forgets the name of the file.  The main window's caption names the open file.

THE COMMAND LINE.  The same engine runs from a terminal as korvell: korvell design for the automatic design, korvell analyze for one inductor, korvell plot for the graphs, korvell curve for the material curves, korvell catalog and korvell wire for the reference tables.  Each checks its input as the windows do, prints a table, or JSON with --json, and korvell --help lists the options.  korvell design --save writes a design file and --input starts from one, so work moves freely between the windows and scripts.
)";

}  // namespace

std::string_view gettingStartedText() {
    return kGettingStartedText;
}

std::string_view helpTopicsText() {
    return kHelpTopicsText;
}

}  // namespace korvell

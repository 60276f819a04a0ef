<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="bg_BG">
<context>
    <name>quiz</name>
    <message>
        <location filename="../command_line.cpp" line="19" />
        <source>A quiz for an informatics lesson: which of two lists is a real exchange-rate series?
Qt's own options, such as -platform and -style, are accepted as well.</source>
        <translation>Тест за часа по информатика: кой от двата списъка е реален валутен курс?
Приемат се и собствените опции на Qt, например -platform и -style.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="61" />
        <source>Show this help and end.</source>
        <translation>Показва тази помощ и спира.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="64" />
        <source>Show the version and end.</source>
        <translation>Показва версията и спира.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="67" />
        <source>Draw the turns from seed N (0 to %1) instead of the clock, so every computer shows the same turns.</source>
        <translation>Тегли ходовете от начално число N (от 0 до %1) вместо от часовника, така че всеки компютър показва същите ходове.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="74" />
        <source>Difficulty 0 to %1: how the made-up list is made. 0, the default, is noise in a band; 1 a random walk; 2 the real day-to-day changes shuffled; 3 a surrogate of them with the same spectrum; 4 the real changes replayed from another day.</source>
        <translation>Трудност от 0 до %1: как се съставя измисленият списък. 0 (по подразбиране) е шум в обхват; 1 е случайно лутане; 2 са реалните дневни промени, разбъркани; 3 е сурогат на промените със същия спектър; 4 са реалните промени, започнати от друг ден.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="81" />
        <source>auto: each pupil's own, from level 1 one level harder after three right answers in a row and one easier after a wrong one.</source>
        <translation>auto: според ученика – от ниво 1 с едно ниво по-трудно след три верни отговора подред и с едно по-лесно след грешен.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="83" />
        <source>Where the real lists come from: catalogue (the default: six stored series), ecb (the built-in euro reference rates of the European Central Bank, 1999-2025, units of each currency for 1 euro; Source: ECB) or a FILE of dates and daily rates, as the ECB publishes it or as a spreadsheet saves it.</source>
        <translation>Откъде идват реалните списъци: catalogue (по подразбиране: шестте вградени редици), ecb (вградените референтни курсове на еврото на Европейската централна банка, 1999-2025, единици валута за 1 евро; източник: ЕЦБ) или ФАЙЛ с дати и дневни курсове, както го публикува ЕЦБ или както го записва електронна таблица.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="92" />
        <source>Append one CSV row per answered turn to FILE.</source>
        <translation>Добавя по един CSV ред за всеки отговорен ход във ФАЙЛ.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="96" />
        <source>Write this run's answers to a new file of its own in the class folder DIR (a shared folder), named from the pupil, the computer and the time, and follow the lesson the teacher sets there.</source>
        <translation>Записва отговорите в нов, собствен файл в папката на класа DIR (споделена папка), наречен по ученика, компютъра и часа, и следва урока, който учителят задава там.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="102" />
        <source>The pupil's name for the results (default: the login name).</source>
        <translation>Името на ученика в резултатите (по подразбиране: потребителското име).</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="107" />
        <source>Open the teacher's view of the class folder DIR instead of the quiz: every pupil's results, followed live.</source>
        <translation>Отваря изгледа на учителя за папката на класа DIR вместо теста: резултатите на всеки ученик, обновявани на живо.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="114" />
        <source> See --help.</source>
        <translation> Вижте --help.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="125" />
        <source>unexpected argument "%1". See --help.</source>
        <translation>неочакван аргумент „%1“. Вижте --help.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="133" />
        <source>--seed takes a whole number from 0 to %1, not "%2".</source>
        <translation>--seed приема цяло число от 0 до %1, а не „%2“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="143" />
        <source>--level takes a whole number from 0 to %1 or auto, not "%2".</source>
        <translation>--level приема цяло число от 0 до %1 или auto, а не „%2“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="153" />
        <source>--data needs catalogue, ecb or the name of a file.</source>
        <translation>--data иска catalogue, ecb или име на файл.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="160" />
        <source>--log needs the name of a file.</source>
        <translation>--log иска име на файл.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="167" />
        <source>--class-dir needs the name of a folder.</source>
        <translation>--class-dir иска име на папка.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="170" />
        <source>--log and --class-dir both say where the answers go; give one of them.</source>
        <translation>--log и --class-dir казват къде да отиват отговорите; дайте само едното.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="178" />
        <source>--pupil needs a name.</source>
        <translation>--pupil иска име.</translation>
    </message>
    <message>
        <source>--pupil takes a name of letters, digits and signs, without control characters.</source>
        <translation>--pupil приема име от букви, цифри и знаци, без управляващи символи.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="185" />
        <source>--teacher needs the name of a folder.</source>
        <translation>--teacher иска име на папка.</translation>
    </message>
    <message>
        <source>--serve hosts the lesson of --teacher; give --teacher DIR as well.</source>
        <translation>--serve предлага в мрежата урока на --teacher; дайте и --teacher ПАПКА.</translation>
    </message>
    <message>
        <source>--serve takes [ADDRESS:]PORT, such as 8080 or 127.0.0.1:0, not &quot;%1&quot;.</source>
        <translation>--serve иска [АДРЕС:]ПОРТ, например 8080 или 127.0.0.1:0, а не „%1“.</translation>
    </message>
    <message>
        <source>With --teacher: host the lesson on the school network at [ADDRESS:]PORT (port 0: any free one). Pupils join from a browser; the address and the join code are printed on one line.</source>
        <translation>С --teacher: урокът се предлага в училищната мрежа на [АДРЕС:]ПОРТ (порт 0: който и да е свободен). Учениците влизат от браузър; адресът и кодът за влизане се отпечатват на един ред.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is no address of this computer.</source>
        <translation>%1: „%2“ не е адрес на този компютър.</translation>
    </message>
    <message>
        <source>%1: cannot host the lesson at &quot;%2&quot;: %3</source>
        <translation>%1: урокът не може да се предложи на „%2“: %3</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="189" />
        <source>--teacher opens the class view, which takes no --%1.</source>
        <translation>--teacher отваря изгледа на класа, който не приема --%1.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="115" />
        <source>--join takes the lesson's address on the local network, such as http://192.168.1.20:8080/, not "%1".</source>
        <translation>--join иска адреса на урока в местната мрежа, например http://192.168.1.20:8080/, а не „%1“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="129" />
        <source>--join plays the lesson's own turns, which takes no --%1.</source>
        <translation>--join играе ходовете на урока, което не приема --%1.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="141" />
        <source>--code goes with --join.</source>
        <translation>--code се дава заедно с --join.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="144" />
        <source>--code takes the lesson's code of %1 to %2 digits, not "%3".</source>
        <translation>--code иска кода на урока от %1 до %2 цифри, а не „%3“.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="187" />
        <source>Play the turns of the lesson a teacher hosts at URL on the local network (http://192.168.1.20:8080/); the name is --pupil's.</source>
        <translation>Играе ходовете на урока, който учителят води на адрес URL в местната мрежа (http://192.168.1.20:8080/); името е това от --pupil.</translation>
    </message>
    <message>
        <location filename="../command_line.cpp" line="193" />
        <source>The lesson's join code, as the teacher shows it; without it, or without --pupil, the quiz asks for both.</source>
        <translation>Кодът за влизане в урока, както го показва учителят; без него или без --pupil тестът пита и за двете.</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="81" />
        <source>%1: "%2" holds rows of another shape and is left as it is; give a new file, such as "%3".</source>
        <translation>%1: „%2“ съдържа редове с друг вид и остава непроменен; дайте нов файл, например „%3“.</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="86" />
        <source>%1: cannot write the results log "%2": %3</source>
        <translation>%1: файлът с резултати „%2“ не може да се запише: %3</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="99" />
        <location filename="../startup.cpp" line="212" />
        <source>%1: the class folder "%2" does not exist or is not a folder.</source>
        <translation>%1: папката на класа „%2“ не съществува или не е папка.</translation>
    </message>
    <message>
        <location filename="../startup.cpp" line="118" />
        <source>%1: cannot write in the class folder "%2": %3</source>
        <translation>%1: не може да се пише в папката на класа „%2“: %3</translation>
    </message>
    <message>
        <source>%1: is not a file of rates but a folder</source>
        <translation>%1: не е файл с курсове, а папка</translation>
    </message>
    <message>
        <source>%1: is not a file of rates but a special file</source>
        <translation>%1: не е файл с курсове, а специален файл</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: не може да се прочете: %2</translation>
    </message>
    <message>
        <source>%1: cannot be read: there is no such file</source>
        <translation>%1: не може да се прочете: няма такъв файл</translation>
    </message>
    <message>
        <source>%1: is larger than 64 MB, too large for a file of rates</source>
        <translation>%1: е по-голям от 64 MB, твърде голям за файл с курсове</translation>
    </message>
    <message>
        <source>%1: cannot be read: no permission to read it</source>
        <translation>%1: не може да се прочете: няма разрешение за четене</translation>
    </message>
</context>
<context>
    <name>rates</name>
    <message>
        <source>the file is UTF-16 text; save it as CSV in UTF-8</source>
        <translation>файлът е текст в UTF-16; запишете го като CSV в UTF-8</translation>
    </message>
    <message>
        <source>a quote opened here is never closed</source>
        <translation>кавичката, отворена тук, не е затворена</translation>
    </message>
    <message>
        <source>text after a closing quote</source>
        <translation>текст след затваряща кавичка</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 не е число</translation>
    </message>
    <message>
        <source>%1 has more than 15 digits</source>
        <translation>%1 има повече от 15 цифри</translation>
    </message>
    <message>
        <source>values written with more decimals than a list can show were rounded to %1 decimals</source>
        <translation>стойностите с повече знаци след десетичната запетая, отколкото побира списъкът, са закръглени до %1 знака</translation>
    </message>
    <message>
        <source>%1 rounds to 0 at %2 decimals, the most a list can show; give the rates for 1000 units</source>
        <translation>%1 се закръгля до 0 при %2 знака след десетичната запетая, колкото най-много побира списъкът; дайте курсовете за 1000 единици</translation>
    </message>
    <message>
        <source>%1 is not a positive number</source>
        <translation>%1 не е положително число</translation>
    </message>
    <message>
        <source>the header is not followed by any row of dates and values</source>
        <translation>след заглавния ред няма нито един ред с дата и стойности</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>файлът е празен</translation>
    </message>
    <message>
        <source>more than %1 value columns</source>
        <translation>повече от %1 колони със стойности</translation>
    </message>
    <message>
        <source>no value column: rows need a date and values after it, separated by ',', ';' or a tab</source>
        <translation>няма колона със стойности: всеки ред трябва да има дата и след нея стойности, разделени с ',', ';' или табулация</translation>
    </message>
    <message>
        <source>the row has more fields than the header's %1</source>
        <translation>редът има повече полета от заглавния ред (%1)</translation>
    </message>
    <message>
        <source>the row has more fields than the first row's %1</source>
        <translation>редът има повече полета от първия ред (%1)</translation>
    </message>
    <message>
        <source>the row has %1 fields where the header has %2</source>
        <translation>полетата в реда са %1, а в заглавния ред – %2</translation>
    </message>
    <message>
        <source>the row has %1 fields where the first row has %2</source>
        <translation>полетата в реда са %1, а в първия ред – %2</translation>
    </message>
    <message>
        <source>the row has no date</source>
        <translation>редът няма дата</translation>
    </message>
    <message>
        <source>%1 is not a date</source>
        <translation>%1 не е дата</translation>
    </message>
    <message>
        <source>%1 repeats the date of line %2</source>
        <translation>%1 повтаря датата от ред %2</translation>
    </message>
    <message>
        <source>%1 is out of order: the dates before it rise</source>
        <translation>%1 нарушава реда: датите преди нея растат</translation>
    </message>
    <message>
        <source>%1 is out of order: the dates before it fall</source>
        <translation>%1 нарушава реда: датите преди нея намаляват</translation>
    </message>
    <message>
        <source>no column has %1 values in a row without a gap; there is no value at all</source>
        <translation>никоя колона няма %1 поредни стойности без празнина; във файла няма нито една стойност</translation>
    </message>
    <message>
        <source>no column has %1 values in a row without a gap; the longest run has %2 (%3, from %4)</source>
        <translation>никоя колона няма %1 поредни стойности без празнина; най-дългата поредица има %2 (%3, от %4)</translation>
    </message>
    <message>
        <source>no column has %1 values in a row without a gap; the longest run has %2 (from %3)</source>
        <translation>никоя колона няма %1 поредни стойности без празнина; най-дългата поредица има %2 (от %3)</translation>
    </message>
    <message>
        <source>no column has %1 values in a row without a gap; the longest run has %2 (column %3, from %4)</source>
        <translation>никоя колона няма %1 поредни стойности без празнина; най-дългата поредица има %2 (колона %3, от %4)</translation>
    </message>
    <message>
        <source>%1 in column %2 on %3 has more digits than a turn can add up exactly (15)</source>
        <translation>%1 в колона %2 на %3 има повече цифри, отколкото един ход може да събере точно (15)</translation>
    </message>
    <message>
        <source>every stretch of %1 values in a row stands still</source>
        <translation>във всяка поредица от %1 стойности стойностите не се променят</translation>
    </message>
    <message>
        <source>%1 after %2 on line %3 is a jump of about a thousandfold: thousands separated by commas, as in 1,008, read as decimals; save the numbers without thousands separators</source>
        <translation>%1 след %2 на ред %3 е скок около хиляда пъти: хилядите, отделени със запетая, както в 1,008, се четат като десетични; запишете числата без разделител на хилядите</translation>
    </message>
    <message>
        <source>commas separate the fields, the dates are day first and every value is a whole number: decimal commas seem to cut each value in two; save the file with ';' between the fields</source>
        <translation>запетаи разделят полетата, датите започват с деня и всяка стойност е цяло число: десетичните запетаи изглежда разрязват всяка стойност на две; запишете файла с ';' между полетата</translation>
    </message>
</context>
<context>
    <name>results</name>
    <message>
        <source>not a regular file but a folder</source>
        <translation>не е обикновен файл, а папка</translation>
    </message>
    <message>
        <source>not a regular file but a pipe</source>
        <translation>не е обикновен файл, а канал</translation>
    </message>
    <message>
        <source>not a regular file but a socket</source>
        <translation>не е обикновен файл, а сокет</translation>
    </message>
    <message>
        <source>not a regular file but a device</source>
        <translation>не е обикновен файл, а устройство</translation>
    </message>
    <message>
        <source>not a regular file but another kind of file</source>
        <translation>не е обикновен файл, а файл от друг вид</translation>
    </message>
</context>
</TS>